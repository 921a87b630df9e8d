#include "run/trainerwindow.h"

#include "settings/appstate.h"
#include <QKeyEvent>
#include "ranking/frmrank.h"
#include "ranking/rankstore.h"
#include "run/runobserver.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/instructionlabel.h"
#include "ui/twips.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
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

    connect(cmdStart, &QPushButton::clicked, this, &TrainerWindow::cmdStart_Click);
    connect(cmdRank, &QPushButton::clicked, this, &TrainerWindow::cmdRank_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &QDialog::reject);
    connect(timCount, &QTimer::timeout, this, &TrainerWindow::timCount_Timer);
}

TrainerWindow::~TrainerWindow() = default;

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

void TrainerWindow::setCounterText(const QString &text)
{
    lblProbCnt->setText(text);
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
    cmdRank->setEnabled(!running);
    cmdStart->setText(running ? StopCaption : StartCaption);
    if (m_answerArea)
        m_answerArea->setEnabled(running);
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
}

void TrainerWindow::showCounter()
{
    setCounterText(QStringLiteral(u"あと　%1問").arg(m_questionsLeft));
}

void TrainerWindow::timCount_Timer()
{
    m_stopwatch.tick();
    lblTimer->setText(Stopwatch::format(m_stopwatch.elapsedTenths()));
}

void TrainerWindow::MarkAnswer(bool correct)
{
    if (correct) {
        lblResult->setText(QStringLiteral(u"○"));
    } else {
        m_stopwatch.addTenths(PenaltyTenths);
        lblResult->setText(QStringLiteral(u"×"));
    }
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
    lblTimer->setText(Stopwatch::format(m_stopwatch.elapsedTenths()));
    const QString timeText = lblTimer->text();
    const int place = m_ranking ? rankInAndFindPlace(*m_ranking, timeText) : 0;
    if (RunObserver *observer = runObserver())
        observer->runFinished(timeText, place);
}

void TrainerWindow::StopRun()
{
    timCount->stop();
    setRunningControls(false);
    showStopped();
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
