#include "exercises/07_sums/frmtrainer7.h"

#include "exercises/catalogue.h"

#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

frmTrainer7::frmTrainer7(QWidget *parent)
    : TrainerWindow(ExerciseNumber, parent)
{
    setInstructionLines({QStringLiteral(u"●表示する計算式の答えを入力して"),
                         QStringLiteral(u"　　Enterキーを押すんだぴこ。")});
    // Six instruction lines; the marks sit lower.
    placeForLongerInstructions(1455, 1800);

    const Sums::Question atLoad;
    lblProb = Controls::label(this, QStringLiteral("lblProb"), atLoad.caption(), Fonts::gothic(72),
                              Twips::rect(180, 2280, 5955, 1455), Qt::AlignCenter);
    lblProb->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Controls::setBackColor(lblProb, Qt::black);
    Controls::setForeColor(lblProb, Qt::white);
    lblProb->setAccessibleDescription(QStringLiteral(u"計算式"));

    txtAns = Controls::textBox(this, QStringLiteral("txtAns"), Fonts::gothic(72), Twips::rect(1440, 3840, 3615, 1455),
                               Sums::AnswerLength);
    // Centred under the sum, where the eye already is.
    txtAns->setAlignment(Qt::AlignCenter);
    txtAns->setText(QString::number(atLoad.ExpectedAnswer()));
    txtAns->setAccessibleName(QStringLiteral(u"答え"));
    txtAns->setAccessibleDescription(QStringLiteral(u"数字を入れてEnterキー"));
    connect(txtAns, &QLineEdit::returnPressed, this,
            [this] { txtAns_KeyDown(Qt::Key_Return, QGuiApplication::keyboardModifiers()); });
    setAnswerArea(txtAns);
}

void frmTrainer7::NextQuestion()
{
    txtAns->clear();
    const Sums::Question question = m_questions.draw(random());
    ExpectedAnswer = question.ExpectedAnswer();
    lblProb->setText(question.caption());
    txtAns->setFocus();
}

QString frmTrainer7::spokenQuestion() const
{
    // The sum as it stands, its sign in words: "57 - 3" is 57 ひく 3.
    QString sum = lblProb->text();
    sum.replace(QStringLiteral(" + "), QStringLiteral(u"　たす　"));
    sum.replace(QStringLiteral(" - "), QStringLiteral(u"　ひく　"));
    return sum;
}

void frmTrainer7::txtAns_KeyDown(int KeyCode, Qt::KeyboardModifiers)
{
    if (KeyCode != Qt::Key_Return && KeyCode != Qt::Key_Enter)
        return;
    answer(Sums::isRightAnswer(txtAns->text(), ExpectedAnswer));
}

void frmTrainer7::showStopped()
{
    // The unanswered sum goes; what was typed stays in the idle box.
    lblProb->setText(QStringLiteral(u"ちゅうし"));
}

void frmTrainer7::showFinished()
{
    lblProb->setText(QStringLiteral(u"おわり"));
}

// The exercise as the menu, the ranking and the history know it.
Exercise Exercises::sums()
{
    return {7, QStringLiteral(u"かげんざん"), [](QWidget *parent) -> TrainerWindow * { return new frmTrainer7(parent); }};
}
