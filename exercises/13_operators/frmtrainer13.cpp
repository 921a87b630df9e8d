#include "exercises/13_operators/frmtrainer13.h"

#include "exercises/catalogue.h"

#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/keys.h"
#include "ui/twips.h"

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

// The equation's row (twips): a, the hidden operator, b, "=", c.
constexpr int RowTop = 2160;
constexpr int ValueWidth = 1095;
constexpr int ValueHeight = 915;

// cmdEnzansi(i) in fraEnzansi: left edges, in index order.
constexpr std::array<int, Operators::Kinds> ButtonLefts = {360, 1755, 3165, 4560};
constexpr int ButtonSide = 1035;

constexpr QRgb HiddenOperatorRed = 0xFF0000;

// The operators as a screen reader says them, in the buttons' order (＋ － ÷ ×).
const std::array<QString, Operators::Kinds> SpokenOperators = {
    QStringLiteral(u"たす"), QStringLiteral(u"ひく"), QStringLiteral(u"わる"), QStringLiteral(u"かける")};

} // namespace

frmTrainer13::frmTrainer13(QWidget *parent)
    : TrainerWindow(ExerciseNumber, parent)
{
    setInstructionLines({QStringLiteral(u"●表示される計算の演算子と同じボタンをおすんだぴこ。")});

    const QFont big = Fonts::gothic(48);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    lblVal1 = Controls::label(this, QStringLiteral("lblVal1"), QString(), big,
                              Twips::rect(360, RowTop, ValueWidth, ValueHeight), right);
    QLabel *hidden = Controls::label(this, QStringLiteral("Label3"), QStringLiteral("?"), Fonts::gothic(36, true),
                                     Twips::rect(1560, 2220, 915, 855), Qt::AlignCenter);
    Controls::setForeColor(hidden, QColor::fromRgb(HiddenOperatorRed));
    hidden->setAccessibleName(QStringLiteral(u"どの演算子？"));
    lblVal2 = Controls::label(this, QStringLiteral("lblVal2"), QString(), big,
                              Twips::rect(2580, RowTop, ValueWidth, ValueHeight), right);
    Controls::label(this, QStringLiteral("Label4"), QStringLiteral("="), big, Twips::rect(3840, RowTop, 855, 855),
                    Qt::AlignCenter);
    lblVal3 = Controls::label(this, QStringLiteral("lblVal3"), QString(), big,
                              Twips::rect(4800, RowTop, ValueWidth, ValueHeight), right);

    fraEnzansi = Controls::frame(this, QStringLiteral("fraEnzansi"), Twips::rect(120, 3480, 6015, 1215));
    for (int kind = 0; kind < Operators::Kinds; ++kind) {
        auto *button = Controls::button(fraEnzansi, QStringLiteral("cmdEnzansi(%1)").arg(kind),
                                        Operators::caption(kind), big,
                                        Twips::rect(ButtonLefts[kind], 60, ButtonSide, ButtonSide));
        connect(button, &QPushButton::clicked, this, [this, kind] { cmdEnzansi_Click(kind); });
        button->setAccessibleName(SpokenOperators[kind]);
        button->setAccessibleDescription(QStringLiteral(u"数字キー%1でも押せる").arg(kind + 1));
        cmdEnzansi[kind] = button;
    }
    setAnswerArea(fraEnzansi);
    Keys::numberKeys(Keys::buttons(cmdEnzansi));

    showEquation(Operators::LoadEquation);
}

void frmTrainer13::showEquation(const Operators::Equation &equation)
{
    shown = equation;
    lblVal1->setText(QString::number(equation.LeftValue));
    lblVal2->setText(QString::number(equation.RightValue));
    lblVal3->setText(QString::number(equation.ResultValue));
}

void frmTrainer13::NextQuestion()
{
    showEquation(m_questions.draw(random()).equation);
}

QString frmTrainer13::spokenQuestion() const
{
    // The equation with its operator hidden, as shown: "10 ? 5 = 15".
    return QStringLiteral(u"%1　なに　%2　は　%3").arg(lblVal1->text(), lblVal2->text(), lblVal3->text());
}

void frmTrainer13::cmdEnzansi_Click(int Index)
{
    answer(Operators::isRightAnswer(Index, shown));
}

// The exercise as the menu, the ranking and the history know it.
Exercise Exercises::operators()
{
    return {13, QStringLiteral(u"えんざんし"), [](QWidget *parent) -> TrainerWindow * { return new frmTrainer13(parent); }};
}
