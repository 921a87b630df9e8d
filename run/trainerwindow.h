#pragma once

#include "run/runsession.h"

#include <QDialog>
#include <QRect>
#include <QSize>
#include <QStringList>

class QLabel;
class QPushButton;
class QTimer;
class RankStore;

// Where the common controls stand, in twips inside the client area. Exercises
// 1 to 13 use the standard places (some move the mark and the counter);
// exercise 14 has a larger window with places of its own.
struct FramePlaces
{
    QSize client{8025, 5745};
    QRect lblExp{240, 120, 5895, 1335};
    QRect lblResult{2040, 1560, 345, 315};
    QRect lblProbCnt{2520, 1560, 1935, 375};
    QRect cmdRank{6360, 240, 1455, 495};
    QRect cmdStart{6360, 1200, 1455, 735};
    QRect Label1{6480, 2160, 1095, 255};
    QRect lblTimer{6360, 2520, 1095, 255};
    QRect Label2{7560, 2520, 240, 240};
    QRect cmdEnd{6360, 5040, 1455, 495};
};

// The frame every exercise window shares, showing the run its session
// keeps: Start/Stop, the stopwatch, the questions-left counter, the
// right/wrong mark, the ranking and close buttons, and the answer area
// enabled only during a run. An exercise adds its own controls, its
// instruction lines, its answer area and its NextQuestion; the hooks below
// cover what an exercise does differently at Start, Stop and the end of a run.
class TrainerWindow : public QDialog
{
    Q_OBJECT
public:
    static constexpr int QuestionsPerRun = RunSession::QuestionsPerRun;
    static constexpr int PenaltyTenths = RunSession::PenaltyTenths;

    explicit TrainerWindow(int exerciseNumber, QWidget *parent = nullptr, const FramePlaces &places = FramePlaces());
    ~TrainerWindow() override;

    int exerciseNumber() const { return m_session->exerciseNumber(); }

    // The run this window shows; sounds, the screen reader and the history
    // follow its signals.
    RunSession &session() { return *m_session; }
    bool isRunning() const { return m_session->isRunning(); }
    double ElapsedTenths() const { return m_session->ElapsedTenths(); }
    int QuestionsLeft() const { return m_session->QuestionsLeft(); }

    // The common labels that tell the run: the mark, the counter, the stopwatch.
    struct RunLabels
    {
        QLabel *mark = nullptr;
        QLabel *counter = nullptr;
        QLabel *timer = nullptr;
    };
    RunLabels runLabels() const { return {lblResult, lblProbCnt, lblTimer}; }

    // The ranking a finished run goes to and the ranking button shows; the
    // catalogue hands every window the one the menu loaded (not owned).
    void useRanking(RankStore &ranking) { m_session->useRanking(&ranking); }
    // Tests script chance and time; the window keeps using what it is given
    // (not owned) until it closes.
    void useRandomSource(RandomSource &random) { m_session->useRandomSource(random); }
    void useClock(MonotonicClock &clock) { m_session->useClock(clock); }

public slots:
    void cmdStart_Click();
    void cmdRank_Click();
    void timCount_Timer();

protected:
    // Set-up an exercise calls from its constructor.
    // Its own first lines; the common lines follow unless it leaves them out.
    void setInstructionLines(const QStringList &ownLines, bool withCommonLines = true);
    // The widget enabled only during a run (a frame of buttons, a text box).
    void setAnswerArea(QWidget *area);
    // Moves the mark and the counter (twips), for exercises that set them elsewhere.
    void placeMarks(const QRect &result, const QRect &counter);
    // A taller or shorter instruction label (twips).
    void placeInstructions(const QRect &place);
    // The usual layout for more instruction lines: the label instructionHeight
    // tall, the mark and the counter at their usual lefts, marksTop down (twips).
    void placeForLongerInstructions(int instructionHeight, int marksTop);
    // The counter line's text, for exercises that count otherwise.
    void setCounterText(const QString &text);

    RandomSource &random() { return m_session->random(); }

    // An answer the exercise has judged: the mark, the penalty, then the next
    // question or, after the last one, the end of the run. Ignored when no
    // run is under way.
    void answer(bool correct) { m_session->answer(correct); }
    // Only the mark and the penalty (for exercises that end their run themselves).
    void MarkAnswer(bool correct) { m_session->MarkAnswer(correct); }
    void StartRun() { m_session->start(); }
    void StopRun() { m_session->stop(); }
    void FinishRun() { m_session->FinishRun(); }

    // Hooks. NextQuestion keeps the game's own name; the rest say when they run.
    // The exercise's part of posing a question (after the counter is shown).
    virtual void NextQuestion() = 0;
    // The counter line above the question; "あと　N問" unless the exercise counts otherwise.
    virtual void showCounter();
    // Start: after the buttons are set and before the stopwatch is zeroed.
    virtual void prepareRun() {}
    // Stop: after the frame's stop steps.
    virtual void showStopped() {}
    // End of a run: before the frame's end steps.
    virtual void showFinished() {}
    // The question on screen as a listener hears it, told after the counter
    // each time one is posed: what a player sees, in words, without what the
    // player has to work out. Empty when the counter says it all.
    virtual QString spokenQuestion() const { return QString(); }
    // The ranking screen has closed and the window has been drawn again.
    virtual void rankingClosed() {}

    // Escape closes an idle window, but never throws a run away.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void poseQuestion();
    void showMark(bool correct);
    void showEnd(const QString &timeText);
    void showStop();
    void setRunningControls(bool running);
    void focusAnswerArea();
    static bool holdsFocus(const QWidget *area);
    void describeCommonControls(QLabel *instructions, QPushButton *endButton);
    void showTime(const QString &stopwatchText);

    RunSession *m_session = nullptr;
    QLabel *lblExp = nullptr;
    QLabel *lblResult = nullptr;
    QLabel *lblProbCnt = nullptr;
    QPushButton *cmdRank = nullptr;
    QPushButton *cmdStart = nullptr;
    QLabel *lblTimer = nullptr;
    QTimer *timCount = nullptr;

    QWidget *m_answerArea = nullptr;
};
