#include "exercises/12_clock/frmtrainer12.h"

#include "exercises/catalogue.h"

#include "exercises/12_clock/clockpicture.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

frmTrainer12::frmTrainer12(QWidget *parent)
    : TrainerWindow(ExerciseNumber, parent)
{
    setInstructionLines({QStringLiteral(u"●時計の時刻を入力するんだぴこ。"),
                         QStringLiteral(u"　午前３時５分だったら「0305」って入力してね。"),
                         QStringLiteral(u"　午前の時は「0000～1155」の範囲で、"),
                         QStringLiteral(u"　午後の時は「1200～2355」で入力してね。")});
    // Eight instruction lines: a taller label, the marks lower.
    placeForLongerInstructions(1935, 2160);

    lblAMPM = Controls::label(this, QStringLiteral("lblAMPM"), QString(), Fonts::pGothic(14.25, true),
                              Twips::rect(1320, 2940, 735, 375));
    picBase = new ClockPicture(this);
    picBase->setObjectName(QStringLiteral("picBase"));
    // The time it shows is the question: the clock is not read out.
    picBase->setAccessibleName(QStringLiteral(u"時計"));
    picBase->setGeometry(Twips::rect(2160, 2580, 2250, 2250));

    txtAns = Controls::textBox(this, QStringLiteral("txtAns"), Fonts::gothic(14.25), Twips::rect(2940, 4980, 915, 375),
                               Clock::AnswerLength);
    // Centred under the clock.
    txtAns->setAlignment(Qt::AlignCenter);
    txtAns->setAccessibleName(QStringLiteral(u"時刻"));
    txtAns->setAccessibleDescription(QStringLiteral(u"4桁の数字を入れてEnterキー"));
    connect(txtAns, &QLineEdit::returnPressed, this,
            [this] { txtAns_KeyDown(Qt::Key_Return, QGuiApplication::keyboardModifiers()); });
    setAnswerArea(txtAns);
}

void frmTrainer12::rankingClosed()
{
    // Back from the ranking screen the sample clock is shown again.
    Form_Activate();
}

void frmTrainer12::showEvent(QShowEvent *event)
{
    TrainerWindow::showEvent(event);
    if (!event->spontaneous())
        Form_Activate();
}

void frmTrainer12::Form_Activate()
{
    // A question on show is never swapped for the sample.
    if (isRunning())
        return;
    const Clock::Time sample;
    lblAMPM->setText(sample.halfCaption());
    DrawClock(sample.hour, sample.minute);
    txtAns->setText(QString::number(sample.answer()));
}

void frmTrainer12::DrawClock(int hour, int minute)
{
    picBase->DrawClock(hour, minute);
}

void frmTrainer12::NextQuestion()
{
    txtAns->clear();
    const Clock::Time time = m_times.draw(random());
    lblAMPM->setText(time.halfCaption());
    DrawClock(time.hour, time.minute);
    ClockAnswer = time.answer();
    txtAns->setFocus();
}

void frmTrainer12::txtAns_KeyDown(int KeyCode, Qt::KeyboardModifiers)
{
    if (KeyCode != Qt::Key_Return && KeyCode != Qt::Key_Enter)
        return;
    answer(Clock::isRightAnswer(txtAns->text(), ClockAnswer));
}

QString frmTrainer12::spokenQuestion() const
{
    // The clock as it looks: morning or afternoon, and where the hands point,
    // by the numerals of the face. Reading that as a time is the question.
    const int hour = ClockAnswer / 100 % 12;
    const int minute = ClockAnswer % 100;
    const auto numeral = [](int n) { return n == 0 ? 12 : n; };
    const QString shortHand = minute == 0
        ? QStringLiteral(u"短い針は%1").arg(numeral(hour))
        : QStringLiteral(u"短い針は%1と%2の間").arg(numeral(hour)).arg(numeral((hour + 1) % 12));
    return QStringLiteral(u"%1。%2、長い針は%3").arg(lblAMPM->text(), shortHand).arg(numeral(minute / 5));
}

// The exercise as the menu, the ranking and the history know it.
Exercise Exercises::clock()
{
    return {12, QStringLiteral(u"いま、なんじ？"), [](QWidget *parent) -> TrainerWindow * { return new frmTrainer12(parent); }};
}
