#include "exercises/12_clock/clockpicture.h"

#include "exercises/12_clock/clockface.h"

#include <QPainter>

ClockPicture::ClockPicture(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClockPicture::DrawClock(int hour, int minute)
{
    m_hands = Clock::handsFor(hour, minute, innerSize());
    m_hasHands = true;
    update();
}

void ClockPicture::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    painter.translate(inner.topLeft());
    // The face fills the inner area (one to one in the window as laid out).
    painter.save();
    painter.scale(qreal(inner.width()) / ClockFace::FaceSize, qreal(inner.height()) / ClockFace::FaceSize);
    ClockFace::paintFace(painter);
    painter.restore();
    if (m_hasHands)
        ClockFace::paintHands(painter, m_hands, palette().color(QPalette::WindowText));
}
