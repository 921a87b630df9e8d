#include "exercises/10_janken/frmtrainer10.h"

#include "exercises/catalogue.h"

#include "exercises/10_janken/hands.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/keys.h"
#include "ui/twips.h"

#include <QFrame>
#include <QLabel>

namespace {

// The hand buttons in fraAns (twips): rock, scissors, paper from the left.
constexpr int ButtonLeft = 1380;
constexpr int ButtonStep = 1200;
constexpr int ButtonSide = 795;

// What a screen reader says for each button.
const std::array<QString, Janken::HandCount> HandNames = {
    QStringLiteral(u"グー"), QStringLiteral(u"チョキ"), QStringLiteral(u"パー")};

} // namespace

frmTrainer10::frmTrainer10(QWidget *parent)
    : TrainerWindow(ExerciseNumber, parent)
{
    setInstructionLines({QStringLiteral(u"●じゃんけんの勝敗に合うボタンを押すんだぴこ"),
                         QStringLiteral(u"※相手が負けだったらそれに勝つボタンを押すんだよ。")});
    // Six instruction lines; the marks sit lower.
    placeForLongerInstructions(1455, 1680);

    fraProb = Controls::frame(this, QStringLiteral("fraProb"), Twips::rect(300, 2160, 5715, 2355));
    picGCP = new HandPicture(fraProb);
    picGCP->setObjectName(QStringLiteral("picGCP"));
    Twips::place(picGCP, 1800, 0, 2235, 2235);
    lblKM = Controls::label(fraProb, QStringLiteral("lblKM"), QString(), Fonts::pGothic(21.75),
                            Twips::rect(180, 840, 1395, 555));

    fraAns = Controls::frame(this, QStringLiteral("fraAns"), Twips::rect(250, 4620, 5775, 915));
    for (int hand = 0; hand < Janken::HandCount; ++hand) {
        auto *button = Controls::button<HandButton>(fraAns, QStringLiteral("cmdGCP(%1)").arg(hand), QString(),
                                                    Twips::rect(ButtonLeft + ButtonStep * hand, 0, ButtonSide, ButtonSide));
        button->setHand(hand);
        button->setAccessibleName(HandNames[hand]);
        button->setAccessibleDescription(QStringLiteral(u"数字キー%1でも押せる").arg(hand + 1));
        connect(button, &QPushButton::clicked, this, [this, hand] { cmdGCP_Click(hand); });
        cmdGCP[hand] = button;
    }
    setAnswerArea(fraAns);
    Keys::numberKeys(Keys::buttons(cmdGCP));

    // As the window opens: paper, and the opponent lost.
    showQuestion(Janken::PreviousHandAtLoad, Janken::OpponentLost);
}

void frmTrainer10::showQuestion(int hand, int outcome)
{
    picGCP->setHand(hand);
    picGCP->setAccessibleName(QStringLiteral(u"相手の手　") + HandNames[hand]);
    lblKM->setText(Janken::outcomeCaption(outcome));
}

void frmTrainer10::NextQuestion()
{
    const Janken::Question question = m_questions.draw(random());
    CorrectHand = question.CorrectHand;
    showQuestion(question.hand, question.outcome);
}

QString frmTrainer10::spokenQuestion() const
{
    // The opponent's hand and how the opponent fared, both as shown; which
    // hand gives that outcome is the question.
    return picGCP->accessibleName() + QStringLiteral(u"、相手が") + lblKM->text();
}

void frmTrainer10::cmdGCP_Click(int Index)
{
    answer(Janken::isRightAnswer(Index, CorrectHand));
}

// The exercise as the menu, the ranking and the history know it.
Exercise Exercises::janken()
{
    return {10, QStringLiteral(u"じゃんけんぽん"), [](QWidget *parent) -> TrainerWindow * { return new frmTrainer10(parent); }};
}
