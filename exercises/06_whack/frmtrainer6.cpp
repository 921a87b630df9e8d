#include "exercises/06_whack/frmtrainer6.h"

#include "exercises/catalogue.h"

#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/keys.h"
#include "ui/twips.h"

#include <QFrame>
#include <QPushButton>

namespace {

// The board in fraAns (twips): button (row, column) at
// (BoardLeft + Step x column, Step x row), each Side x Side.
constexpr int BoardLeft = 1320;
constexpr int Step = 600;
constexpr int Side = 495;
// Large enough to tell a "●" from a "◆" at a glance, small enough to
// leave the button's face around it.
constexpr qreal MarkPoints = 18;

// A board button as a screen reader says it: its place, then what it shows in words.
QString spokenButton(int index, const QString &caption)
{
    QString name = QStringLiteral(u"%1行%2列").arg(index / Whack::Columns + 1).arg(index % Whack::Columns + 1);
    if (caption == Whack::markCaption())
        name += QStringLiteral(u"　まる");
    else if (caption == Whack::decoyCaption())
        name += QStringLiteral(u"　ひしがた");
    return name;
}

} // namespace

frmTrainer6::frmTrainer6(QWidget *parent)
    : TrainerWindow(ExerciseNumber, parent)
{
    setInstructionLines({QStringLiteral(u"●表示される「●」のボタンをおすんだぴこ。"), QStringLiteral(u"※「◆」じゃないよ。")});
    // Six instruction lines need a taller label; the marks sit lower.
    placeInstructions({240, 120, 5895, 1695});
    placeMarks({2040, 1920, 345, 315}, {2520, 1920, 2055, 375});

    fraAns = Controls::frame(this, QStringLiteral("fraAns"), Twips::rect(360, 2400, 5535, 2895));
    const QFont markFont = Fonts::gothic(MarkPoints);
    for (int index = 0; index < Whack::Buttons; ++index) {
        const int row = index / Whack::Columns;
        const int column = index % Whack::Columns;
        auto *button = Controls::button(fraAns, QStringLiteral("cmdAns(%1)").arg(index), QString(), markFont,
                                        Twips::rect(BoardLeft + Step * column, Step * row, Side, Side));
        connect(button, &QPushButton::clicked, this, [this, index] { cmdAns_Click(index); });
        cmdAns[index] = button;
    }
    setAnswerArea(fraAns);
    Keys::arrowGrid(Keys::buttons(cmdAns), Whack::Columns);
    showBoard(Whack::boardAtLoad());
}

void frmTrainer6::showBoard(const Whack::Board &board)
{
    for (int index = 0; index < Whack::Buttons; ++index) {
        cmdAns[index]->setText(board[index]);
        cmdAns[index]->setAccessibleName(spokenButton(index, board[index]));
    }
}

void frmTrainer6::NextQuestion()
{
    m_question = m_questions.draw(random());
    showBoard(m_question.board());
}

void frmTrainer6::cmdAns_Click(int Index)
{
    answer(Whack::isRightAnswer(m_question, Index));
}

// The exercise as the menu, the ranking and the history know it.
Exercise Exercises::whack()
{
    return {6, QStringLiteral(u"●●●たたき"), [](QWidget *parent) -> TrainerWindow * { return new frmTrainer6(parent); }};
}

QString frmTrainer6::spokenQuestion() const
{
    // Where the marks stand, the decoy first as the eye may catch it first;
    // pressing the まる is the player's part (the board reads by row and column).
    QStringList marks;
    for (const QString &mark : {Whack::decoyCaption(), Whack::markCaption()})
        for (int index = 0; index < Whack::Buttons; ++index)
            if (cmdAns[index]->text() == mark)
                marks.append(spokenButton(index, mark));
    return marks.join(QStringLiteral(u"、"));
}
