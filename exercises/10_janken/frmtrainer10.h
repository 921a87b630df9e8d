#pragma once

#include "exercises/10_janken/janken.h"
#include "run/trainerwindow.h"

#include <array>

class HandButton;
class HandPicture;
class QFrame;
class QLabel;

// じゃんけんぽん: the opponent's hand and how the game went for them; press
// the hand that makes it so.
class frmTrainer10 : public TrainerWindow
{
    Q_OBJECT
public:
    static constexpr int ExerciseNumber = 10;

    explicit frmTrainer10(QWidget *parent = nullptr);

public slots:
    void cmdGCP_Click(int Index);

protected:
    void NextQuestion() override;
    QString spokenQuestion() const override;

private:
    void showQuestion(int hand, int outcome);

    QFrame *fraProb = nullptr;
    HandPicture *picGCP = nullptr;
    QLabel *lblKM = nullptr;
    QFrame *fraAns = nullptr;
    std::array<HandButton *, Janken::HandCount> cmdGCP{};

    // The hand button that answers the question on screen.
    int CorrectHand = Janken::Scissors;
    // The opponent's hand of the question shown last; kept across runs.
    // Remembers the last hand for as long as the window is open.
    Janken::Questions m_questions;
};
