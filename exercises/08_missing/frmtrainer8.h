#pragma once

#include "exercises/08_missing/missing.h"
#include "run/trainerwindow.h"

#include <array>

class QFrame;
class QLabel;
class QPushButton;

// ぬけはな～に？: find the digit from 1 to 9 that the grid leaves out and
// press its button.
class frmTrainer8 : public TrainerWindow
{
    Q_OBJECT
public:
    static constexpr int ExerciseNumber = 8;

    explicit frmTrainer8(QWidget *parent = nullptr);

public slots:
    void cmdAns_Click(int Index);

protected:
    void NextQuestion() override;
    QString spokenQuestion() const override;

private:
    void showGrid(const Missing::Grid &grid);

    std::array<QLabel *, Missing::Cells> lblProb{};
    QFrame *fraAns = nullptr;
    std::array<QPushButton *, Missing::Digits> cmdAns{};

    // The digit the grid on screen leaves out: the right answer.
    int MissingDigit = Missing::MissingAtLoad;
    // The digit left out last; kept across runs while the window is open.
    // Remembers the last missing digit for as long as the window is open.
    Missing::Questions m_questions;
};
