#include "exercises/08_missing/frmtrainer8.h"

#include "exercises/catalogue.h"

#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/keys.h"
#include "ui/twips.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

// The grid (twips): cell (row, column) at (GridLeft + CellStep x column,
// GridTop + CellStep x row), each CellSide x CellSide. The step is one pixel
// short of the side, so the borders of neighbouring cells fall on each other.
constexpr int GridLeft = 1920;
constexpr int GridTop = 2160;
constexpr int CellStep = 480;
constexpr int CellSide = 495;

// The answer buttons in fraAns: button i at (ButtonLeft + ButtonStep x i, 0).
constexpr int ButtonLeft = 240;
constexpr int ButtonStep = 600;
constexpr int ButtonSide = 495;

} // namespace

frmTrainer8::frmTrainer8(QWidget *parent)
    : TrainerWindow(ExerciseNumber, parent)
{
    setInstructionLines({QStringLiteral(u"●表示される「１」から「９」までの数字の中で"),
                         QStringLiteral(u"　抜けている数字と同じボタンを押すんだぴこ。")});
    // Six instruction lines; the marks sit lower.
    placeForLongerInstructions(1455, 1680);

    const QFont cellFont = Fonts::gothic(24);
    for (int index = 0; index < Missing::Cells; ++index) {
        const int row = index / Missing::Columns;
        const int column = index % Missing::Columns;
        QLabel *cell = Controls::label(this, QStringLiteral("lblProb(%1)").arg(index), QString(), cellFont,
                                       Twips::rect(GridLeft + CellStep * column, GridTop + CellStep * row, CellSide,
                                                   CellSide),
                                       Qt::AlignCenter);
        cell->setFrameShape(QFrame::Box);
        cell->setLineWidth(1);
        cell->setAccessibleDescription(QStringLiteral(u"%1行%2列").arg(row + 1).arg(column + 1));
        lblProb[index] = cell;
    }

    fraAns = Controls::frame(this, QStringLiteral("fraAns"), Twips::rect(250, 4800, 5775, 615));
    const QFont buttonFont = Fonts::gothic(12);
    for (int index = 0; index < Missing::Digits; ++index) {
        auto *button = Controls::button(fraAns, QStringLiteral("cmdAns(%1)").arg(index), Missing::answerCaption(index),
                                        buttonFont,
                                        Twips::rect(ButtonLeft + ButtonStep * index, 0, ButtonSide, ButtonSide));
        connect(button, &QPushButton::clicked, this, [this, index] { cmdAns_Click(index); });
        button->setAccessibleDescription(QStringLiteral(u"数字キーでも押せる"));
        cmdAns[index] = button;
    }
    setAnswerArea(fraAns);
    Keys::digitKeys(Keys::buttons(cmdAns));
    showGrid(Missing::gridAtLoad());
}

void frmTrainer8::showGrid(const Missing::Grid &grid)
{
    for (int index = 0; index < Missing::Cells; ++index) {
        lblProb[index]->setText(Missing::cellCaption(grid[index]));
        // An empty cell is read as empty, not skipped.
        lblProb[index]->setAccessibleName(grid[index] ? lblProb[index]->text() : QStringLiteral(u"空き"));
    }
}

void frmTrainer8::NextQuestion()
{
    const Missing::Question question = m_questions.draw(random());
    MissingDigit = question.MissingDigit;
    showGrid(question.cells);
}

QString frmTrainer8::spokenQuestion() const
{
    // The eight digits in the order a reader meets them, row by row: which
    // one is missing is for the player to find, as on the screen.
    QStringList digits;
    for (const QLabel *cell : lblProb)
        if (!cell->text().isEmpty())
            digits.append(cell->text());
    return QStringLiteral(u"数字は　") + digits.join(QStringLiteral(u"、"));
}

void frmTrainer8::cmdAns_Click(int Index)
{
    answer(Missing::isRightAnswer(cmdAns[Index]->text(), MissingDigit));
}

// The exercise as the menu, the ranking and the history know it.
Exercise Exercises::missing()
{
    return {8, QStringLiteral(u"ぬけはな～に？"), [](QWidget *parent) -> TrainerWindow * { return new frmTrainer8(parent); }};
}
