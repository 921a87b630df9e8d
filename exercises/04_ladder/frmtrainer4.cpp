#include "exercises/04_ladder/frmtrainer4.h"

#include "exercises/catalogue.h"

#include "ui/a11y.h"
#include "ui/colorbutton.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/keys.h"
#include "ui/linecontrol.h"
#include "ui/twips.h"

#include <QFrame>
#include <QLabel>

namespace {

// The ladder in twips: column j at x = ColumnLeft + ColumnStep * j, from
// LadderTop down to LadderBottom; level l at y = LevelTop + LevelStep * l.
constexpr int ColumnLeft = 720;
constexpr int ColumnStep = 1440;
constexpr int LadderTop = 2400;
constexpr int LadderBottom = 4440;
constexpr int LevelTop = 2880;
constexpr int LevelStep = 240;
constexpr int LineWidth = 5;

constexpr int columnX(int column)
{
    return ColumnLeft + ColumnStep * column;
}

constexpr int levelY(int level)
{
    return LevelTop + LevelStep * level;
}

constexpr QRgb AnswerGrey = 0xC0C0C0; // light grey, R G B 192

} // namespace

frmTrainer4::frmTrainer4(QWidget *parent)
    : TrainerWindow(ExerciseNumber, parent)
{
    setInstructionLines({QStringLiteral(u"●表示される「★」の行き着く先の「●」を押すんだぴこ。")});
    placeMarks({1800, 1560, 345, 315}, {2160, 1560, 1935, 375});

    for (int column = 0; column < Ladder::Columns; ++column) {
        linV[column] = new LineControl(QStringLiteral("linV(%1)").arg(column), columnX(column), LadderTop,
                                       columnX(column), LadderBottom, LineWidth, this);
        A11y::describe(linV[column], QStringLiteral(u"縦線　左から%1本目").arg(column + 1));
    }
    for (int gap = 0; gap < Ladder::Gaps; ++gap) {
        for (int level = 0; level < Ladder::Levels; ++level) {
            linH[gap][level] = new LineControl(QStringLiteral("linH%1(%2)").arg(gap).arg(level), columnX(gap),
                                               levelY(level), columnX(gap + 1), levelY(level), LineWidth, this);
            A11y::describe(linH[gap][level], QStringLiteral(u"横線　%1本目と%2本目の間　上から%3段目")
                                                 .arg(gap + 1)
                                                 .arg(gap + 2)
                                                 .arg(level + 1));
        }
    }

    for (int column = 0; column < Ladder::Columns; ++column) {
        lblPoint[column] = Controls::label(this, QStringLiteral("lblPoint(%1)").arg(column), QStringLiteral(u"★"),
                                           Fonts::pGothic(14.25), Twips::rect(600 + ColumnStep * column, 2040, 285, 285),
                                           Qt::AlignCenter);
        A11y::describe(lblPoint[column], QStringLiteral(u"スタート　左から%1本目").arg(column + 1));
    }

    fraAns = Controls::frame(this, QStringLiteral("fraAns"), Twips::rect(120, 4560, 5535, 495));
    for (int column = 0; column < Ladder::Columns; ++column) {
        auto *button = Controls::button<ColorButton>(fraAns, QStringLiteral("cmdAns(%1)").arg(column),
                                                     QStringLiteral(u"●"), Fonts::pGothic(18),
                                                     Twips::rect(240 + ColumnStep * column, 0, 735, 495));
        button->setBackColor(QColor::fromRgb(AnswerGrey));
        connect(button, &QPushButton::clicked, this, [this, column] { cmdAns_Click(column); });
        A11y::describe(button, QStringLiteral(u"行き先　左から%1本目").arg(column + 1),
                       QStringLiteral(u"数字キー%1でも押せる").arg(column + 1));
        cmdAns[column] = button;
    }
    setAnswerArea(fraAns);
    Keys::numberKeys(Keys::buttons(cmdAns));

    // As the window opens: every allowed rung, and the star of column 2.
    showLadder(Ladder::GhostLeg::full(), Ladder::StartAtLoad);
}

void frmTrainer4::NextQuestion()
{
    const Ladder::Question question = m_questions.draw(random());
    AnswerColumn = question.AnswerColumn;
    showLadder(question.ladder, question.start);
}

void frmTrainer4::showLadder(const Ladder::GhostLeg &ladder, int start)
{
    for (int column = 0; column < Ladder::Columns; ++column)
        lblPoint[column]->setVisible(column == start);
    for (int gap = 0; gap < Ladder::Gaps; ++gap)
        for (int level = 0; level < Ladder::Levels; ++level)
            linH[gap][level]->setVisible(ladder.hasRung(gap, level));
}

void frmTrainer4::cmdAns_Click(int Index)
{
    answer(Ladder::isRightAnswer(Index, AnswerColumn));
}

QString frmTrainer4::spokenQuestion() const
{
    // The star and the rungs, top to bottom, as the eye follows them; where
    // the path ends is for the player to trace.
    QString start;
    for (int column = 0; column < Ladder::Columns; ++column)
        if (!lblPoint[column]->isHidden())
            start = QStringLiteral(u"ほしは左から%1本目").arg(column + 1);
    QStringList rungs;
    for (int level = 0; level < Ladder::Levels; ++level)
        for (int gap = 0; gap < Ladder::Gaps; ++gap)
            if (!linH[gap][level]->isHidden())
                rungs.append(QStringLiteral(u"%1段目　%2と%3の間").arg(level + 1).arg(gap + 1).arg(gap + 2));
    return start + QStringLiteral(u"。横線は上から　") + rungs.join(QStringLiteral(u"、"));
}

// The exercise as the menu, the ranking and the history know it.
Exercise Exercises::ladder()
{
    return {4, QStringLiteral(u"あみだくじ"), [](QWidget *parent) -> TrainerWindow * { return new frmTrainer4(parent); }};
}
