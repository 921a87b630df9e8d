#pragma once

#include "exercises/06_whack/whack.h"
#include "run/trainerwindow.h"

#include <array>

class QFrame;
class QPushButton;

// ●●●たたき: press the button that shows the "●", never the "◆".
class frmTrainer6 : public TrainerWindow
{
    Q_OBJECT
public:
    static constexpr int ExerciseNumber = 6;

    explicit frmTrainer6(QWidget *parent = nullptr);

public slots:
    void cmdAns_Click(int Index);

protected:
    void NextQuestion() override;
    QString spokenQuestion() const override;

private:
    void showBoard(const Whack::Board &board);

    QFrame *fraAns = nullptr;
    std::array<QPushButton *, Whack::Buttons> cmdAns{};
    // The button the "●" stood on last; kept across runs while the window is open.
    // The questions, remembering the last mark for as long as the window is open.
    Whack::Questions m_questions;
    Whack::Question m_question;
};
