#pragma once

#include "exercises/14_prefectures/prefectures.h"
#include "exercises/14_prefectures/silhouettes.h"
#include "run/trainerwindow.h"

#include <array>

class QFrame;
class QLabel;

// とどうふけん: press the silhouette of the prefecture whose name is shown.
// The larger window of the game, with the common controls at places of its own.
class frmTrainer14 : public TrainerWindow
{
    Q_OBJECT
public:
    static constexpr int ExerciseNumber = 14;

    explicit frmTrainer14(QWidget *parent = nullptr);

    // Where this window puts the common controls (twips).
    static FramePlaces framePlaces();

    // The prefecture table the window built as it was created.
    const Prefectures::Table &table() const { return Prefs; }

public slots:
    void cmdPic_Click(int Index);

protected:
    void NextQuestion() override;
    QString spokenQuestion() const override;

private:
    void showQuestion(const Prefectures::Question &question);

    // Built first, before any control: reading and name of rows 0 to 46.
    const Prefectures::Table Prefs;
    // The question on show, for a listener.
    Prefectures::Question Shown = Prefectures::LoadQuestion;
    // imgPic(0) to imgPic(46): the silhouettes the buttons show.
    SilhouetteSet imgPic;

    QFrame *fraProb = nullptr;
    // lblName(0) the reading, lblName(1) the name.
    std::array<QLabel *, 2> lblName{};
    QFrame *fraAns = nullptr;
    std::array<SilhouetteButton *, Prefectures::Choices> cmdPic{};

    // The button with the named prefecture's silhouette.
    int AnswerPosition = Prefectures::LoadQuestion.AnswerPosition;
    // The questions drawn, which remember the row asked last; kept across
    // runs while the window is open.
    Prefectures::Questions m_questions;
};
