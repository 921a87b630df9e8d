#pragma once

#include "exercises/12_clock/clocktime.h"
#include "run/trainerwindow.h"

class ClockPicture;
class QLabel;
class QLineEdit;

// いま、なんじ？: read the clock, 午前 or 午後, and type the time on the
// 24-hour clock as four digits, then Enter.
class frmTrainer12 : public TrainerWindow
{
    Q_OBJECT
public:
    static constexpr int ExerciseNumber = 12;

    explicit frmTrainer12(QWidget *parent = nullptr);

public slots:
    // A key pressed in the answer box: Enter sends the answer; every other
    // key only edits the text, and the box takes care of that itself.
    void txtAns_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift);
    // The window comes to the front for the player: the sample clock,
    // 午後 6:40 with "1840" in the box, unless a run is under way.
    void Form_Activate();

protected:
    void NextQuestion() override;
    QString spokenQuestion() const override;
    void showEvent(QShowEvent *event) override;
    void rankingClosed() override;

private:
    void DrawClock(int hour, int minute);

    QLabel *lblAMPM = nullptr;
    ClockPicture *picBase = nullptr;
    QLineEdit *txtAns = nullptr;

    // The answer of the clock on show, HHMM.
    int ClockAnswer = Clock::SampleAnswer;
    // The times drawn, which remember the answer of the clock shown last;
    // kept across runs, so that no time comes twice in a row.
    Clock::Times m_times;
};
