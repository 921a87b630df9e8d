#pragma once

#include "exercises/09_longest/longest.h"
#include "run/trainerwindow.h"

#include <array>

class LinesView;
class QFrame;
class QPushButton;

// ながいのど～れ？: press the button under the longest line; where several
// share the greatest length, any of them is right.
class frmTrainer9 : public TrainerWindow
{
    Q_OBJECT
public:
    static constexpr int ExerciseNumber = 9;

    explicit frmTrainer9(QWidget *parent = nullptr);

public slots:
    void cmdAns_Click(int Index);

protected:
    void NextQuestion() override;

private:
    // fraProb: the lines linSen(0) to linSen(6), with their ends.
    LinesView *fraProb = nullptr;
    QFrame *fraAns = nullptr;
    std::array<QPushButton *, Longest::Lines> cmdAns{};
    // The greatest length of the lines on screen (twips).
    int MaxLineLength = -1;
};
