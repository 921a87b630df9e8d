#include "run/trainerwindow.h"

#include "ranking/frmrank.h"
#include "ui/a11y.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/instructionlabel.h"
#include "ui/keys.h"
#include "ui/spoken.h"
#include "ui/twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

namespace {

const QString StartCaption = QStringLiteral(u"開　始");
const QString StopCaption = QStringLiteral(u"中　止");

const QStringList CommonLines = {
    QStringLiteral(u"●全部で５０問あるんだぴこ。"),
    QStringLiteral(u"●クリアした時間が早い方が良いんだぴこ。"),
    QStringLiteral(u"●間違えると５秒加算されるんだぴこ。"),
    QStringLiteral(u"●開始ボタンで始めるんだぴこ。"),
};

} // namespace

TrainerWindow::TrainerWindow(int exerciseNumber, QWidget *parent, const FramePlaces &places)
    : QDialog(parent)
    , m_session(new RunSession(exerciseNumber, this))
{
    setObjectName(QStringLiteral("frmTrainer%1").arg(exerciseNumber));
    setFixedSize(Twips::size(places.client.width(), places.client.height()));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    const QFont buttonFont = Fonts::pGothic(12);

    lblExp = new InstructionLabel(this);
    lblExp->setObjectName(QStringLiteral("lblExp"));
    lblExp->setFont(Fonts::pGothic(12));
    lblExp->setGeometry(Twips::rect(places.lblExp));
    lblResult = Controls::label(this, QStringLiteral("lblResult"), QStringLiteral(u"○"), Fonts::gothic(15.75, true),
                                Twips::rect(places.lblResult));
    lblProbCnt = Controls::label(this, QStringLiteral("lblProbCnt"), QStringLiteral(u"あと　50問"), Fonts::pGothic(15.75),
                                 Twips::rect(places.lblProbCnt), Qt::AlignCenter);
    cmdRank = Controls::button(this, QStringLiteral("cmdRank"), QStringLiteral(u"順　位"), buttonFont,
                               Twips::rect(places.cmdRank));
    cmdStart = Controls::button(this, QStringLiteral("cmdStart"), StartCaption, buttonFont, Twips::rect(places.cmdStart));
    Controls::label(this, QStringLiteral("Label1"), QStringLiteral(u"経過時間"), Fonts::pGothic(9),
                    Twips::rect(places.Label1));
    lblTimer = Controls::label(this, QStringLiteral("lblTimer"), QStringLiteral("0.0"), Fonts::gothic(12),
                               Twips::rect(places.lblTimer), Qt::AlignRight | Qt::AlignVCenter);
    Controls::label(this, QStringLiteral("Label2"), QStringLiteral(u"秒"), Fonts::pGothic(9), Twips::rect(places.Label2));
    auto *cmdEnd = Controls::button(this, QStringLiteral("cmdEnd"), QStringLiteral(u"終　了"), buttonFont,
                                    Twips::rect(places.cmdEnd));

    timCount = new QTimer(this);
    timCount->setObjectName(QStringLiteral("timCount"));
    timCount->setInterval(Stopwatch::TickMs);
    timCount->setTimerType(Qt::PreciseTimer);

    describeCommonControls(lblExp, cmdEnd);
    // A new window waits on 開　始: the first key a player presses starts.
    cmdStart->setFocus(Qt::OtherFocusReason);

    // Start and stop from anywhere in the window, without the mouse.
    auto *startStopKey = new QShortcut(Keys::startStop(), this);
    startStopKey->setAutoRepeat(false);
    connect(startStopKey, &QShortcut::activated, this, [this] {
        // From here on the focus shows where the keyboard is.
        setAttribute(Qt::WA_KeyboardFocusChange);
        cmdStart->click();
    });
    // The time when asked, rather than ten times a second.
    auto *timeKey = new QShortcut(A11y::timeKey(), this);
    timeKey->setAutoRepeat(false);
    connect(timeKey, &QShortcut::activated, this, [this] {
        lblTimer->setAccessibleName(lblTimer->text());
        A11y::tell(this, Spoken::time(lblTimer->text()));
    });

    connect(cmdStart, &QPushButton::clicked, this, &TrainerWindow::cmdStart_Click);
    connect(cmdRank, &QPushButton::clicked, this, &TrainerWindow::cmdRank_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &QDialog::reject);
    connect(timCount, &QTimer::timeout, this, &TrainerWindow::timCount_Timer);

    // What the window shows of its run; made first, so that whatever else
    // follows the run finds the window already showing it.
    connect(m_session, &RunSession::starting, this, [this] {
        setRunningControls(true);
        prepareRun();
    });
    connect(m_session, &RunSession::started, timCount, qOverload<>(&QTimer::start));
    connect(m_session, &RunSession::questionDue, this, &TrainerWindow::poseQuestion);
    connect(m_session, &RunSession::ticked, this, &TrainerWindow::showTime);
    connect(m_session, &RunSession::answered, this, &TrainerWindow::showMark);
    connect(m_session, &RunSession::finishing, this, &TrainerWindow::showFinished);
    connect(m_session, &RunSession::ended, this, &TrainerWindow::showEnd);
    connect(m_session, &RunSession::stopped, this, &TrainerWindow::showStop);
}

TrainerWindow::~TrainerWindow() = default;

void TrainerWindow::describeCommonControls(QLabel *instructions, QPushButton *endButton)
{
    instructions->setAccessibleDescription(QStringLiteral(u"遊び方"));
    A11y::describe(lblResult, Spoken::mark(lblResult->text()), QStringLiteral(u"前の答えの正誤"));
    A11y::describe(lblProbCnt, lblProbCnt->text(), QStringLiteral(u"問題の進み具合"));
    // Read as the number it shows, between "経過時間" and "秒", which read
    // themselves. Its name follows the time only when the time is told (asked
    // for, at Stop and at the end), not at every tick: ten changes a second
    // would drown everything else a screen reader has to say.
    lblTimer->setAccessibleName(lblTimer->text());
    lblTimer->setAccessibleDescription(QStringLiteral(u"経過時間の秒数。間違えると５秒加算。%1キーで読み上げ")
                                           .arg(A11y::timeKey().toString(QKeySequence::NativeText)));
    A11y::describe(cmdRank, QStringLiteral(u"順位"), QStringLiteral(u"この練習の順位表を見る"));
    A11y::describe(cmdStart, QStringLiteral(u"開始"),
                   QStringLiteral(u"開始と中止。%1キーでどこからでも押せる")
                       .arg(Keys::startStop().toString(QKeySequence::NativeText)));
    A11y::describe(endButton, QStringLiteral(u"終了"), QStringLiteral(u"ウィンドウを閉じてメニューに戻る"));
    cmdStart->setToolTip(QStringLiteral(u"開始／中止（%1キー）").arg(Keys::startStop().toString(QKeySequence::NativeText)));
}

void TrainerWindow::showTime(const QString &stopwatchText)
{
    lblTimer->setText(stopwatchText);
}

void TrainerWindow::setInstructionLines(const QStringList &ownLines, bool withCommonLines)
{
    QStringList lines = ownLines;
    if (withCommonLines)
        lines += CommonLines;
    // The lines are kept as the game writes them, CR LF between them.
    lblExp->setText(lines.join(QStringLiteral("\r\n")));
    // Read without the bullets, the signs in words.
    lblExp->setAccessibleName(A11y::spoken(lblExp->text()));
}

void TrainerWindow::setAnswerArea(QWidget *area)
{
    m_answerArea = area;
    m_answerArea->setEnabled(false);
}

void TrainerWindow::placeMarks(const QRect &result, const QRect &counter)
{
    lblResult->setGeometry(Twips::rect(result));
    lblProbCnt->setGeometry(Twips::rect(counter));
}

void TrainerWindow::placeInstructions(const QRect &place)
{
    lblExp->setGeometry(Twips::rect(place));
}

void TrainerWindow::placeForLongerInstructions(int instructionHeight, int marksTop)
{
    const FramePlaces standard;
    placeInstructions(QRect(standard.lblExp.topLeft(), QSize(standard.lblExp.width(), instructionHeight)));
    placeMarks(QRect(QPoint(standard.lblResult.left(), marksTop), standard.lblResult.size()),
               QRect(QPoint(standard.lblProbCnt.left(), marksTop), standard.lblProbCnt.size()));
}

void TrainerWindow::setCounterText(const QString &text)
{
    lblProbCnt->setText(text);
    lblProbCnt->setAccessibleName(text);
    A11y::tell(this, text);
}

void TrainerWindow::keyPressEvent(QKeyEvent *event)
{
    // A stray Escape must not cost a run: stopping is what 中　止 is for.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && isRunning()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TrainerWindow::cmdStart_Click()
{
    if (isRunning())
        StopRun();
    else
        StartRun();
}

void TrainerWindow::setRunningControls(bool running)
{
    // A keyboard player at an answer keeps the focus on something that can
    // be pressed: on the way out of a run it goes back to 開　始.
    if (!running && holdsFocus(m_answerArea))
        cmdStart->setFocus(Qt::OtherFocusReason);
    cmdRank->setEnabled(!running);
    cmdStart->setText(running ? StopCaption : StartCaption);
    cmdStart->setAccessibleName(running ? QStringLiteral(u"中止") : QStringLiteral(u"開始"));
    if (m_answerArea)
        m_answerArea->setEnabled(running);
    // Every answer changes at once: the news of the start or the stop comes
    // after the screen reader has gone through that.
    A11y::holdNews(500);
    if (running)
        focusAnswerArea();
}

bool TrainerWindow::holdsFocus(const QWidget *area)
{
    const QWidget *focused = QApplication::focusWidget();
    return area && focused && (focused == area || area->isAncestorOf(focused));
}

void TrainerWindow::focusAnswerArea()
{
    // A run starts with the focus among the answers, not on 中　止, where a
    // stray Space or Enter would throw the run away.
    if (!m_answerArea || holdsFocus(m_answerArea))
        return;
    if (m_answerArea->focusPolicy() & Qt::TabFocus) {
        m_answerArea->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QList<QWidget *> inside = m_answerArea->findChildren<QWidget *>();
    for (QWidget *widget : inside) {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() && widget->isVisibleTo(this)) {
            widget->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void TrainerWindow::poseQuestion()
{
    showCounter();
    NextQuestion();
    A11y::tell(this, spokenQuestion());
}

void TrainerWindow::showCounter()
{
    setCounterText(QStringLiteral(u"あと　%1問").arg(QuestionsLeft()));
}

void TrainerWindow::timCount_Timer()
{
    m_session->tick();
}

void TrainerWindow::showMark(bool correct)
{
    lblResult->setText(correct ? QStringLiteral(u"○") : QStringLiteral(u"×"));
}

void TrainerWindow::showEnd(const QString &timeText)
{
    timCount->stop();
    setRunningControls(false);
    // The time that ranks is the time the player sees.
    showTime(timeText);
    lblTimer->setAccessibleName(timeText);
}

void TrainerWindow::showStop()
{
    timCount->stop();
    setRunningControls(false);
    showStopped();
    lblTimer->setAccessibleName(lblTimer->text());
}

void TrainerWindow::cmdRank_Click()
{
    if (!m_session->ranking())
        return;
    frmRank ranking(*m_session->ranking(), this);
    ranking.exec();
    // Pictures drawn on the window come back at once, not at the next question.
    update();
    rankingClosed();
}
