#pragma once

#include "run/random.h"
#include "run/stopwatch.h"

#include <QDialog>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <memory>

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

// The frame every exercise window shares: Start/Stop, the tenth-second
// stopwatch, the questions-left counter, the right/wrong mark, the five-second
// penalty, the hand-over to the ranking at the end of a run, and the ranking
// and close buttons. An exercise adds its own controls, its instruction lines,
// its answer area and its NextQuestion; the hooks below cover what an exercise
// does differently at Start, Stop and the end of a run.
class TrainerWindow : public QDialog
{
    Q_OBJECT
public:
    static constexpr int QuestionsPerRun = 50;
    static constexpr int PenaltyTenths = 50;

    explicit TrainerWindow(int exerciseNumber, QWidget *parent = nullptr, const FramePlaces &places = FramePlaces());
    ~TrainerWindow() override;

    int exerciseNumber() const { return m_exerciseNumber; }

    // The run state is the Start button's caption, nothing else.
    bool isRunning() const;
    double ElapsedTenths() const { return m_stopwatch.elapsedTenths(); }
    int QuestionsLeft() const { return m_questionsLeft; }

    // The ranking a finished run goes to and the ranking button shows; the
    // catalogue hands every window the one the menu loaded (not owned).
    void useRanking(RankStore &ranking) { m_ranking = &ranking; }
    // Tests script chance and time; the window keeps using what it is given
    // (not owned) until it closes.
    void useRandomSource(RandomSource &random) { m_random = &random; }
    void useClock(MonotonicClock &clock);

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

    RandomSource &random() { return *m_random; }

    // An answer the exercise has judged: the mark, the penalty, then the next
    // question or, after the last one, the end of the run. Ignored when no
    // run is under way.
    void answer(bool correct);
    // Only the mark and the penalty (for exercises that end their run themselves).
    void MarkAnswer(bool correct);
    void StartRun();
    void StopRun();
    void FinishRun();

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

    // Escape closes an idle window, but never throws a run away.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void poseQuestion();
    void setRunningControls(bool running);
    void focusAnswerArea();
    static bool holdsFocus(const QWidget *area);
    void describeCommonControls(QLabel *instructions, QPushButton *endButton);
    void showTime(const QString &stopwatchText);

    int m_exerciseNumber;
    QLabel *lblExp = nullptr;
    QLabel *lblResult = nullptr;
    QLabel *lblProbCnt = nullptr;
    QPushButton *cmdRank = nullptr;
    QPushButton *cmdStart = nullptr;
    QLabel *lblTimer = nullptr;
    QTimer *timCount = nullptr;

    int m_questionsLeft = QuestionsPerRun;
    QWidget *m_answerArea = nullptr;
    RankStore *m_ranking = nullptr;
    std::unique_ptr<SystemRandom> m_systemRandom;
    std::unique_ptr<SteadyClock> m_steadyClock;
    RandomSource *m_random = nullptr;
    MonotonicClock *m_clock = nullptr;
    Stopwatch m_stopwatch;
    // The run's clock at the last answer (or the start), for the answer times.
    qint64 m_lastAnswerMs = 0;
};
