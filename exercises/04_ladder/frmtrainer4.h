#pragma once

#include "exercises/04_ladder/ladder.h"
#include "run/trainerwindow.h"

#include <array>

class ColorButton;
class LineControl;
class QFrame;
class QLabel;

// あみだくじ: follow the line under the "★" down the ladder and press the
// "●" where it ends.
class frmTrainer4 : public TrainerWindow
{
    Q_OBJECT
public:
    static constexpr int ExerciseNumber = 4;

    explicit frmTrainer4(QWidget *parent = nullptr);

public slots:
    void cmdAns_Click(int Index);

protected:
    void NextQuestion() override;
    QString spokenQuestion() const override;

private:
    void showLadder(const Ladder::GhostLeg &ladder, int start);

    std::array<LineControl *, Ladder::Columns> linV{};
    // linH0, linH1 and linH2: the rungs of gaps 0, 1 and 2, one per level.
    std::array<std::array<LineControl *, Ladder::Levels>, Ladder::Gaps> linH{};
    std::array<QLabel *, Ladder::Columns> lblPoint{};
    QFrame *fraAns = nullptr;
    std::array<ColorButton *, Ladder::Columns> cmdAns{};

    // The column the current question's path ends at.
    int AnswerColumn = 0;
    // The start of the question shown last; kept across runs.
    // Remembers the last start for as long as the window is open.
    Ladder::Questions m_questions;
};
