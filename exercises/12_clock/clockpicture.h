#pragma once

#include "exercises/12_clock/clocktime.h"

#include <QFrame>

// picBase: the clock face in a box with a thin border, its inner area
// exactly one face. The hands are kept, not painted once: every repaint
// draws the face and the hands of the last DrawClock again.
class ClockPicture : public QFrame
{
    Q_OBJECT
public:
    explicit ClockPicture(QWidget *parent = nullptr);

    // The inner area the hands are measured in, in pixels.
    QSize innerSize() const { return contentsRect().size(); }

    // Erases the hands drawn before and draws those of hour (0 to 11, 0 at
    // the 12) and minute.
    void DrawClock(int hour, int minute);
    // The hands on show, in the inner area's pixels; none before the first DrawClock.
    bool hasHands() const { return m_hasHands; }
    Clock::Hands hands() const { return m_hands; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_hasHands = false;
    Clock::Hands m_hands;
};
