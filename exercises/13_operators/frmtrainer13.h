#pragma once

#include "exercises/13_operators/operators.h"
#include "run/trainerwindow.h"

#include <array>

class QFrame;
class QLabel;
class QPushButton;

// えんざんし: press the operator that makes the equation a ? b = c true.
class frmTrainer13 : public TrainerWindow
{
    Q_OBJECT
public:
    static constexpr int ExerciseNumber = 13;

    explicit frmTrainer13(QWidget *parent = nullptr);

public slots:
    void cmdEnzansi_Click(int Index);

protected:
    void NextQuestion() override;
    QString spokenQuestion() const override;

private:
    void showEquation(const Operators::Equation &equation);

    QLabel *lblVal1 = nullptr;
    QLabel *lblVal2 = nullptr;
    QLabel *lblVal3 = nullptr;
    QFrame *fraEnzansi = nullptr;
    std::array<QPushButton *, Operators::Kinds> cmdEnzansi{};

    // The equation on display: a, b and c.
    Operators::Equation shown = Operators::LoadEquation;
    // The kind of the question before; kept across runs while the window is open.
    // Remembers the last operator for as long as the window is open.
    Operators::Questions m_questions;
};
