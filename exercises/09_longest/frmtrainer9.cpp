#include "exercises/09_longest/frmtrainer9.h"

#include "exercises/catalogue.h"

#include "exercises/09_longest/linesview.h"
#include "ui/a11y.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/keys.h"
#include "ui/twips.h"

#include <QFrame>
#include <QPushButton>

namespace {

// The answer buttons in fraAns (twips): button i stands centred under line i.
constexpr int ButtonWidth = 615;
constexpr int ButtonHeight = 375;

constexpr int buttonLeft(int index)
{
    return index < Longest::Lines - 1 ? 240 + 720 * index : 4620;
}

} // namespace

frmTrainer9::frmTrainer9(QWidget *parent)
    : TrainerWindow(ExerciseNumber, parent)
{
    setInstructionLines({QStringLiteral(u"●いちばん長い線の下にあるボタンを押すんだぴこ。"),
                         QStringLiteral(u"※長さが同じ線もあるよ。")});
    // Six instruction lines; the marks sit lower.
    placeForLongerInstructions(1455, 1680);

    fraProb = new LinesView(this);
    fraProb->setObjectName(QStringLiteral("fraProb"));
    // The lengths are the question: they are for the eye only.
    A11y::describe(fraProb, QStringLiteral(u"７本の線"), QStringLiteral(u"いちばん長い線を探す"));
    fraProb->setGeometry(Twips::rect(420, 2160, Longest::BoxWidth, Longest::BoxHeight));
    fraProb->setLines(Longest::LinesAtLoad);
    MaxLineLength = Longest::maxLength(Longest::LinesAtLoad);

    fraAns = Controls::frame(this, QStringLiteral("fraAns"), Twips::rect(240, 4920, 5775, 615));
    const QFont arrowFont = Fonts::gothic(14.25, true);
    for (int index = 0; index < Longest::Lines; ++index) {
        auto *button = Controls::button(fraAns, QStringLiteral("cmdAns(%1)").arg(index), QStringLiteral(u"↑"),
                                        arrowFont, Twips::rect(buttonLeft(index), 0, ButtonWidth, ButtonHeight));
        connect(button, &QPushButton::clicked, this, [this, index] { cmdAns_Click(index); });
        A11y::describe(button, QStringLiteral(u"左から%1本目の線").arg(index + 1),
                       QStringLiteral(u"数字キー%1でも押せる").arg(index + 1));
        cmdAns[index] = button;
    }
    setAnswerArea(fraAns);
    Keys::numberKeys(Keys::buttons(cmdAns));
}

void frmTrainer9::NextQuestion()
{
    const Longest::Question question = Longest::drawQuestion(random());
    fraProb->setLines(question.lines);
    MaxLineLength = question.MaxLineLength;
}

void frmTrainer9::cmdAns_Click(int Index)
{
    // Measured on the ends the line was given, never on its pixels.
    answer(Longest::isRightAnswer(fraProb->line(Index), MaxLineLength));
}

// The exercise as the menu, the ranking and the history know it.
Exercise Exercises::longest()
{
    return {9, QStringLiteral(u"ながいのど～れ？"), [](QWidget *parent) -> TrainerWindow * { return new frmTrainer9(parent); }};
}
