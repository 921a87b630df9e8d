#include "exercises/05_bigger/frmtrainer5.h"

#include "exercises/catalogue.h"

#include "exercises/05_bigger/digitbutton.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/keys.h"
#include "ui/twips.h"

#include <QFrame>
#include <QLabel>
#include <QPoint>

namespace {

// cmdNum(i) in fraAns, a 2 x 2 grid (twips).
constexpr int ButtonWidth = 2055;
constexpr int ButtonHeight = 1575;
constexpr std::array<QPoint, Bigger::Buttons> ButtonPlaces = {
    QPoint(720, 0), QPoint(2880, 0), QPoint(720, 1680), QPoint(2880, 1680)};

struct Sample
{
    const char16_t *caption;
    qreal pointSize;
};

// Where each button stands, for a screen reader (the digit is its name).
constexpr std::array<const char16_t *, Bigger::Buttons> Places = {u"左上", u"右上", u"左下", u"右下"};

// What the buttons show before the first run.
constexpr std::array<Sample, Bigger::Buttons> LoadSamples = {
    Sample{u"9", 12}, Sample{u"0", 26.25}, Sample{u"3", 72}, Sample{u"7", 48}};

} // namespace

frmTrainer5::frmTrainer5(QWidget *parent)
    : TrainerWindow(ExerciseNumber, parent)
{
    setInstructionLines({QStringLiteral(u"●表示される数字で値が大きいボタンをおすんだぴこ。"),
                         QStringLiteral(u"※サイズじゃないよ値だよ。")});
    // Six instruction lines need a taller label; the marks sit lower.
    placeInstructions({240, 120, 5895, 1695});
    placeMarks({2160, 1920, 345, 315}, {2640, 1920, 2055, 375});

    fraAns = Controls::frame(this, QStringLiteral("fraAns"), Twips::rect(360, 2280, 5535, 3255));
    for (int i = 0; i < Bigger::Buttons; ++i) {
        // Caption and font come with the card.
        auto *button = Controls::button<DigitButton>(
            fraAns, QStringLiteral("cmdNum(%1)").arg(i), QString(),
            Twips::rect(ButtonPlaces[i].x(), ButtonPlaces[i].y(), ButtonWidth, ButtonHeight));
        connect(button, &QPushButton::clicked, this, [this, i] { cmdNum_Click(i); });
        button->setAccessibleDescription(QString::fromUtf16(Places[i]) + QStringLiteral(u"のボタン。その数字のキーでも押せる"));
        cmdNum[i] = button;
        showCard(i, QString::fromUtf16(LoadSamples[i].caption), LoadSamples[i].pointSize);
    }
    setAnswerArea(fraAns);
    Keys::digitKeys(Keys::buttons(cmdNum));
}

void frmTrainer5::showCard(int index, const QString &caption, qreal pointSize)
{
    // Bold at every size: the game face has no bold weight and Qt's own
    // thickening does not reach the larger digits. The buttons place a digit
    // by its ink, so the bold face's taller line box does not matter.
    cmdNum[index]->setFont(Fonts::realBold(Fonts::gothic(pointSize, true)));
    cmdNum[index]->setText(caption);
}

void frmTrainer5::NextQuestion()
{
    const Bigger::Question question = Bigger::drawQuestion(random());
    for (int i = 0; i < Bigger::Buttons; ++i)
        showCard(i, QString::number(question.cards[i].digit), question.cards[i].pointSize);
    MaxValue = question.MaxValue;
    m_question = question;
}

void frmTrainer5::cmdNum_Click(int Index)
{
    answer(Bigger::isRightAnswer(m_question, Index));
}

// The exercise as the menu, the ranking and the history know it.
Exercise Exercises::bigger()
{
    return {5, QStringLiteral(u"どれが大きい？"), [](QWidget *parent) -> TrainerWindow * { return new frmTrainer5(parent); }};
}

QString frmTrainer5::spokenQuestion() const
{
    // The four digits by place. Their sizes, the trap for the eye, are not
    // said: a listener is not misled by them, and the value is the question.
    QStringList cards;
    for (int i = 0; i < Bigger::Buttons; ++i)
        cards.append(QString::fromUtf16(Places[i]) + QStringLiteral(u"　") + cmdNum[i]->text());
    return cards.join(QStringLiteral(u"、"));
}
