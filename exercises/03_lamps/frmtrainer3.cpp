#include "exercises/03_lamps/frmtrainer3.h"

#include "ui/circleshape.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QFrame>
#include <QPushButton>

namespace {
// As the window opens, before the first run.
constexpr std::array<bool, Lamps::CircleCount> DesignPattern = {
    false, false, true, false, true, false, false, true, false,
};
}

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
        setLit(index, DesignPattern[index]);
    }
    m_litCount = Lamps::countLit(*this);

    fraNum = Controls::frame(this, QStringLiteral("fraNum"), Twips::rect(180, 2880, 5895, 495));

    const QFont numberFont = Fonts::gothic(12);
    for (int index = 0; index < Lamps::AnswerCount; ++index) {
        auto *button = Controls::button(fraNum, QStringLiteral("cmdNum(%1)").arg(index), QString::number(index),
                                        numberFont, Twips::rect(600 * index, 0, 495, 495));
        connect(button, &QPushButton::clicked, this, [this, index] { cmdNum_Click(index); });
        cmdNum[index] = button;
    }
    setAnswerArea(fraNum);
}

bool frmTrainer3::isLit(int index) const
{
    return shpPochi[index]->isOpaque();
}

void frmTrainer3::setLit(int index, bool lit)
{
    shpPochi[index]->setOpaque(lit);
}

void frmTrainer3::NextQuestion()
{
    m_litCount = Lamps::NextPattern(*this, random());
}

void frmTrainer3::cmdNum_Click(int index)
{
    answer(Lamps::isRight(cmdNum[index]->text(), m_litCount));
}

void frmTrainer3::showStopped()
{
    Lamps::TurnAllOff(*this);
    m_litCount = Lamps::countLit(*this);
}
