#include "exercises/03_lamps/frmtrainer3.h"

#include "exercises/catalogue.h"

#include "ui/circleshape.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/keys.h"
#include "ui/twips.h"

#include <QFrame>
#include <QPushButton>

frmTrainer3::frmTrainer3(QWidget *parent) : TrainerWindow(3, parent)
{
    setInstructionLines({QStringLiteral(u"●赤く光っている数と同じボタンをおすんだぴこ。")});

    for (int index = 0; index < Lamps::CircleCount; ++index) {
        auto *circle = new CircleShape(this);
        circle->setObjectName(QStringLiteral("shpPochi(%1)").arg(index));
        circle->setBackColor(QColor(255, 0, 0));
        circle->setBorderColor(Qt::black);
        circle->setBorderWidth(3);
        Twips::place(circle, 960 + 480 * index, 2160, 495, 495);
        shpPochi[index] = circle;
    }
    showPattern(Lamps::PatternAtLoad);
    m_litCount = Lamps::litCount(shownPattern());

    fraNum = Controls::frame(this, QStringLiteral("fraNum"), Twips::rect(180, 2880, 5895, 495));

    const QFont numberFont = Fonts::gothic(12);
    for (int index = 0; index < Lamps::AnswerCount; ++index) {
        auto *button = Controls::button(fraNum, QStringLiteral("cmdNum(%1)").arg(index), QString::number(index),
                                        numberFont, Twips::rect(600 * index, 0, 495, 495));
        connect(button, &QPushButton::clicked, this, [this, index] { cmdNum_Click(index); });
        button->setAccessibleDescription(QStringLiteral(u"数字キーでも押せる"));
        cmdNum[index] = button;
    }
    setAnswerArea(fraNum);
    Keys::digitKeys(Keys::buttons(cmdNum));
}

void frmTrainer3::showPattern(const Lamps::Pattern &pattern)
{
    for (int index = 0; index < Lamps::CircleCount; ++index) {
        shpPochi[index]->setOpaque(pattern[index]);
        shpPochi[index]->setAccessibleName(QStringLiteral(u"左から%1番目の丸　%2")
                                               .arg(index + 1)
                                               .arg(pattern[index] ? QStringLiteral(u"光っている")
                                                                   : QStringLiteral(u"消えている")));
    }
}

Lamps::Pattern frmTrainer3::shownPattern() const
{
    Lamps::Pattern pattern{};
    for (int index = 0; index < Lamps::CircleCount; ++index)
        pattern[index] = shpPochi[index]->isOpaque();
    return pattern;
}

void frmTrainer3::NextQuestion()
{
    showPattern(Lamps::drawPattern(random()));
    // What the player counts is what the circles show.
    m_litCount = Lamps::litCount(shownPattern());
}

QString frmTrainer3::spokenQuestion() const
{
    // The row as the eye sweeps it, left to right, each circle lit (ぴか) or
    // not (なし): the player counts, as a sighted player counts the red ones.
    QStringList circles;
    for (const CircleShape *circle : shpPochi)
        circles.append(circle->isOpaque() ? QStringLiteral(u"ぴか") : QStringLiteral(u"なし"));
    return QStringLiteral(u"左から　") + circles.join(QStringLiteral(u"、"));
}

void frmTrainer3::cmdNum_Click(int index)
{
    answer(Lamps::isRightAnswer(index, m_litCount));
}

void frmTrainer3::showStopped()
{
    showPattern({});
    m_litCount = 0;
}

// The exercise as the menu, the ranking and the history know it.
Exercise Exercises::lamps()
{
    return {3, QStringLiteral(u"光ってるのは何個？"), [](QWidget *parent) -> TrainerWindow * { return new frmTrainer3(parent); }};
}
