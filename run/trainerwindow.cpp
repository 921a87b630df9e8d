#include "run/trainerwindow.h"

#include "settings/appstate.h"
#include <QKeyEvent>
#include "ranking/frmrank.h"
#include "ranking/rankstore.h"
#include "run/runobserver.h"
#include "ui/a11y.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/instructionlabel.h"
#include "ui/keys.h"
#include "ui/sounds.h"
#include "ui/twips.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
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

// What a screen reader says for the common controls: words, not the signs
// and the spaced-out captions the screen shows.
QString spokenMark(const QString &mark)
{
    return mark == QStringLiteral(u"○") ? QStringLiteral(u"正解") : QStringLiteral(u"不正解");
}

QString spokenTime(const QString &stopwatchText)
{
    return QStringLiteral(u"経過時間　%1秒").arg(stopwatchText);
}

// Offers the run to the ranking and says which place it took there, 0 for
// none: the place a time of that text would take, if the ranking holds the
// run's line there afterwards.
int rankInAndFindPlace(RankStore &ranking, const QString &timeText)
{
    const int place = ranking.FindRankPlace(QLocale::c().toDouble(timeText.trimmed()));
    const auto before = ranking.RankData;
    ranking.RankIn(timeText);
    const bool took = place >= 1 && place <= RankStore::Capacity && ranking.RankData != before
        && ranking.RankData[place].startsWith(timeText + QStringLiteral(u"　"));
    return took ? place : 0;
}

} // namespace

TrainerWindow::TrainerWindow(int exerciseNumber, QWidget *parent, const FramePlaces &places)
    : QDialog(parent)
    , m_exerciseNumber(exerciseNumber)
    , m_systemRandom(std::make_unique<SystemRandom>())
    , m_steadyClock(std::make_unique<SteadyClock>())
    , m_random(m_systemRandom.get())
    , m_clock(m_steadyClock.get())
    , m_stopwatch(m_steadyClock.get())
{
    setObjectName(QStringLiteral("frmTrainer%1").arg(exerciseNumber));
    if (exerciseNumber >= 1 && exerciseNumber <= ExerciseCount)
        setWindowTitle(app().ExerciseTitles[exerciseNumber]);
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
        A11y::tell(this, spokenTime(lblTimer->text()));
    });
    Sounds::instance().prepare();

    connect(cmdStart, &QPushButton::clicked, this, &TrainerWindow::cmdStart_Click);
    connect(cmdRank, &QPushButton::clicked, this, &TrainerWindow::cmdRank_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &QDialog::reject);
    connect(timCount, &QTimer::timeout, this, &TrainerWindow::timCount_Timer);
}

TrainerWindow::~TrainerWindow() = default;

void TrainerWindow::describeCommonControls(QLabel *instructions, QPushButton *endButton)
{
    instructions->setAccessibleDescription(QStringLiteral(u"遊び方"));
    // A title of signs ("●●●たたき") reads as words.
    if (A11y::spoken(windowTitle()) != windowTitle())
        setAccessibleName(A11y::spoken(windowTitle()));
    A11y::describe(lblResult, spokenMark(lblResult->text()), QStringLiteral(u"前の答えの正誤"));
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

bool TrainerWindow::isRunning() const
{
    return cmdStart->text() == StopCaption;
}

void TrainerWindow::useClock(MonotonicClock &clock)
{
    m_clock = &clock;
    m_stopwatch.setClock(clock);
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

void TrainerWindow::StartRun()
{
    m_random->reseed();
    setRunningControls(true);
    m_questionsLeft = QuestionsPerRun;
    prepareRun();
    // The stopwatch starts only now, so dealing a board costs the player nothing.
    m_stopwatch.start();
    m_lastAnswerMs = 0;
    timCount->start();
    if (RunObserver *observer = runObserver())
        observer->runStarted(m_exerciseNumber);
    poseQuestion();
}

void TrainerWindow::poseQuestion()
{
    showCounter();
    NextQuestion();
    A11y::tell(this, spokenQuestion());
}

void TrainerWindow::showCounter()
{
    setCounterText(QStringLiteral(u"あと　%1問").arg(m_questionsLeft));
}

void TrainerWindow::timCount_Timer()
{
    m_stopwatch.tick();
    showTime(Stopwatch::format(m_stopwatch.elapsedTenths()));
}

void TrainerWindow::MarkAnswer(bool correct)
{
    if (correct) {
        lblResult->setText(QStringLiteral(u"○"));
    } else {
        m_stopwatch.addTenths(PenaltyTenths);
        lblResult->setText(QStringLiteral(u"×"));
    }
    // Heard as soon as it is seen.
    A11y::announce(lblResult, spokenMark(lblResult->text()));
    Sounds::instance().play(correct ? Sounds::Cue::Right : Sounds::Cue::Wrong);
    const qint64 nowMs = m_clock->elapsedMs();
    if (RunObserver *observer = runObserver())
        observer->answered(correct, nowMs - m_lastAnswerMs);
    m_lastAnswerMs = nowMs;
}

void TrainerWindow::answer(bool correct)
{
    if (!isRunning())
        return;
    MarkAnswer(correct);
    if (m_questionsLeft < 2) {
        FinishRun();
    } else {
        --m_questionsLeft;
        poseQuestion();
    }
}

void TrainerWindow::FinishRun()
{
    showFinished();
    timCount->stop();
    setRunningControls(false);
    // The time that ranks is the run's whole time, the last penalty included,
    // and it is the time the player sees.
    showTime(Stopwatch::format(m_stopwatch.elapsedTenths()));
    const QString timeText = lblTimer->text();
    lblTimer->setAccessibleName(timeText);
    // The end is heard before any question about a name: a tune, then the words.
    const bool best = m_ranking && m_ranking->FindRankPlace(QLocale::c().toDouble(timeText)) == 1;
    Sounds::instance().play(best ? Sounds::Cue::NewRecord : Sounds::Cue::Finished);
    A11y::announce(lblProbCnt, QStringLiteral(u"おわり"));
    A11y::tell(this, QStringLiteral(u"記録　%1秒").arg(timeText));
    // Heard before the ranking's dialog takes the focus.
    A11y::flush();
    const int place = m_ranking ? rankInAndFindPlace(*m_ranking, timeText) : 0;
    if (m_ranking)
        A11y::tell(this, place > 0 ? QStringLiteral(u"順位は%1位").arg(place) : QStringLiteral(u"順位外"));
    if (RunObserver *observer = runObserver())
        observer->runFinished(timeText, place);
}

void TrainerWindow::StopRun()
{
    timCount->stop();
    setRunningControls(false);
    showStopped();
    lblTimer->setAccessibleName(lblTimer->text());
    A11y::tell(this, QStringLiteral(u"中止しました"));
    if (RunObserver *observer = runObserver())
        observer->runStopped();
}

void TrainerWindow::cmdRank_Click()
{
    if (!m_ranking)
        return;
    frmRank ranking(*m_ranking, this);
    ranking.exec();
    // Pictures drawn on the window come back at once, not at the next question.
    update();
}
