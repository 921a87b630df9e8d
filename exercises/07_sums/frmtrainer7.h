#pragma once

#include "exercises/07_sums/sums.h"
#include "run/trainerwindow.h"

class QLabel;
class QLineEdit;

// かげんざん: a sum in large white figures on black; type its result and
// press Enter.
class frmTrainer7 : public TrainerWindow
{
    Q_OBJECT
public:
    static constexpr int ExerciseNumber = 7;

    explicit frmTrainer7(QWidget *parent = nullptr);

public slots:
    // A key pressed in the answer box: Enter sends the answer; every other
    // key only edits the text, and the box takes care of that itself.
    void txtAns_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift);

protected:
    void NextQuestion() override;
    void showStopped() override;
    void showFinished() override;
    QString spokenQuestion() const override;

private:
    QLabel *lblProb = nullptr;
    QLineEdit *txtAns = nullptr;

    // The result of the sum on show.
    int ExpectedAnswer = Sums::Question().ExpectedAnswer();
    // The first operand of the sum shown last; kept across runs, so that no
    // two sums in a row start alike.
    // Remembers the last first operand for as long as the window is open.
    Sums::Questions m_questions;
};
