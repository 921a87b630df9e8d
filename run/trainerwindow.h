#pragma once

#include "run/random.h"
#include "run/stopwatch.h"

#include <QDialog>
#include <QStringList>

#include <memory>

class QLabel;
class QPushButton;
class QTimer;

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

    // Client sizes in twips: exercises 1 to 13, and the larger exercise 14.
    static constexpr int StandardWidth = 8025;
    static constexpr int StandardHeight = 5745;

    TrainerWindow(int exerciseNumber, QWidget *parent = nullptr,
                  int clientWidthTwips = StandardWidth, int clientHeightTwips = StandardHeight);
    ~TrainerWindow() override;

    // The run state is the Start button's caption, nothing else.
    bool isRunning() const;
    double ElapsedTenths() const { return m_stopwatch.elapsedTenths(); }
    int QuestionsLeft() const { return m_questionsLeft; }

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

    RandomSource &random() { return *m_random; }

    // An answer the exercise has judged: the mark, the penalty, then the next
    // question or, after the last one, the end of the run.
    void answer(bool correct);
    // Only the mark and the penalty (for exercises that end their run themselves).
    void MarkAnswer(bool correct);
    void StartRun();
    void StopRun();
    void FinishRun();

    // The exercise's part of posing a question.
    virtual void NextQuestion() = 0;
    // The counter line above the question; "あと　N問" unless the exercise counts otherwise.
    virtual void showCounter();
    // Start: after the buttons are set and before the stopwatch is zeroed.
    virtual void prepareRun() {}
    // Stop: after the frame's stop steps.
    virtual void showStopped() {}
    // End of a run: before the frame's end steps.
    virtual void showFinished() {}
    // After the ranking screen closes.
    virtual void afterRanking() {}

    // The common controls.
    QLabel *lblExp = nullptr;
    QLabel *lblResult = nullptr;
    QLabel *lblProbCnt = nullptr;
    QPushButton *cmdRank = nullptr;
    QPushButton *cmdStart = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lblTimer = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *cmdEnd = nullptr;
    QTimer *timCount = nullptr;

private:
    void poseQuestion();
    void setRunningControls(bool running);

    int m_questionsLeft = QuestionsPerRun;
    QWidget *m_answerArea = nullptr;
    std::unique_ptr<SystemRandom> m_systemRandom;
    std::unique_ptr<SteadyClock> m_steadyClock;
    RandomSource *m_random = nullptr;
    Stopwatch m_stopwatch;
};
