#pragma once

#include "exercises/05_bigger/bigger.h"
#include "run/trainerwindow.h"

#include <array>

class DigitButton;
class QFrame;

// どれが大きい？: press the button whose digit has the largest value; the
// sizes the digits are printed in say nothing about it.
class frmTrainer5 : public TrainerWindow
{
    Q_OBJECT
public:
    static constexpr int ExerciseNumber = 5;

    explicit frmTrainer5(QWidget *parent = nullptr);

public slots:
    void cmdNum_Click(int Index);

protected:
    void NextQuestion() override;
    QString spokenQuestion() const override;

private:
    void showCard(int index, const QString &caption, qreal pointSize);

    QFrame *fraAns = nullptr;
    std::array<DigitButton *, Bigger::Buttons> cmdNum{};
    // The largest digit on the buttons: the right answer.
    int MaxValue = 0;
    // The question on show, which the answer is judged on.
    Bigger::Question m_question;
};
