#include "exercises/01_colour/frmtrainer1.h"

#include "exercises/catalogue.h"

#include "exercises/01_colour/colour.h"
#include "ui/colorbutton.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/keys.h"
#include "ui/twips.h"

#include <QFrame>
#include <QLabel>

#include <span>

namespace {
constexpr quint32 Black = 0x000000;
constexpr quint32 White = 0xFFFFFF;
}

frmTrainer1::frmTrainer1(QWidget *parent) : TrainerWindow(1, parent)
{
    setInstructionLines({QStringLiteral(u"●表示される文字の色と同じボタンをおすんだぴこ。")});

    lblProb = Controls::label(this, QStringLiteral("lblProb"), QString(), Fonts::gothic(72),
                              Twips::rect(120, 2040, 5955, 1455), Qt::AlignCenter);
    paintQuestion(Black, Colour::InkAtLoad, QStringLiteral(u"あお"));

    fraColor = Controls::frame(this, QStringLiteral("fraColor"), Twips::rect(120, 3600, 6015, 495));
    for (int index = 1; index <= Colour::ColourCount; ++index) {
        auto *button = Controls::button<ColorButton>(fraColor, QStringLiteral("cmdColor(%1)").arg(index), QString(),
                                                     Twips::rect(120 + 1200 * (index - 1), 0, 975, 495));
        button->setBackColor(QColor::fromRgb(Colour::ColourTable[index]));
        // A colour button is read as its colour.
        button->setAccessibleName(Colour::ColourNames()[index]);
        button->setAccessibleDescription(QStringLiteral(u"数字キー%1でも押せる").arg(index));
        connect(button, &QPushButton::clicked, this, [this, index] { cmdColor_Click(index); });
        cmdColor[index] = button;
    }
    setAnswerArea(fraColor);
    Keys::numberKeys(Keys::buttons(std::span(cmdColor).subspan(1)));

    PreviousInk = shownInk();
}

void frmTrainer1::paintQuestion(quint32 background, quint32 ink, const QString &text)
{
    Controls::setBackColor(lblProb, QColor::fromRgb(background));
    Controls::setForeColor(lblProb, QColor::fromRgb(ink));
    lblProb->setText(text);
}

quint32 frmTrainer1::shownInk() const
{
    return lblProb->palette().color(QPalette::WindowText).rgb() & 0xFFFFFF;
}

void frmTrainer1::prepareRun()
{
    // White, so that every ink, black included, can be read.
    paintQuestion(White, shownInk(), lblProb->text());
}

void frmTrainer1::NextQuestion()
{
    const Colour::Question question = Colour::drawQuestion(random(), PreviousInk);
    paintQuestion(White, question.ink, question.word);
    PreviousInk = question.ink;
}

QString frmTrainer1::spokenQuestion() const
{
    // A sighted player takes in both the word and its ink, and has to answer
    // the ink against the pull of the word. Without the ink there is nothing
    // to answer; without the word nothing to resist. So the word is said
    // first, as it catches the eye, and the ink after it, as a colour to be
    // pressed; the answer buttons are read by the same colour words.
    QString ink;
    for (int index = 1; index <= Colour::ColourCount; ++index)
        if (Colour::ColourTable[index] == shownInk())
            ink = Colour::ColourNames()[index];
    return QStringLiteral(u"字は「%1」、色は%2").arg(lblProb->text(), ink);
}

void frmTrainer1::cmdColor_Click(int index)
{
    answer(Colour::isRightAnswer(shownInk(), index));
}

void frmTrainer1::showStopped()
{
    paintQuestion(Black, White, QStringLiteral(u"ちゅうし"));
}

void frmTrainer1::showFinished()
{
    paintQuestion(Black, White, QStringLiteral(u"おわり"));
}

// The exercise as the menu, the ranking and the history know it.
Exercise Exercises::colour()
{
    return {1, QStringLiteral(u"これは何色？"), [](QWidget *parent) -> TrainerWindow * { return new frmTrainer1(parent); }};
}
