#pragma once

#include "exercises/12_clock/clocktime.h"

#include <QColor>
#include <QImage>

class QPainter;

// The clock of いま、なんじ？ as vectors, so it is crisp at every scale:
// a face FaceSize pixels square (the circle, the numerals 1 to 12 and a dot
// at every hour) and the two hands with the green centre over it. The
// painter's coordinates are the face's pixels, (0, 0) at its top left; scale
// the painter to draw it larger.
namespace ClockFace {

constexpr int FaceSize = 148;

// The face alone, on white.
void paintFace(QPainter &painter);
// The hands as Clock::handsFor places them: the blue minute hand, the red
// hour hand over it and the green centre over both, outlined in outline.
void paintHands(QPainter &painter, const Clock::Hands &hands, const QColor &outline = Qt::black);
// Face and hands for hour (0 to 11) and minute.
void paint(QPainter &painter, int hour, int minute, const QColor &outline = Qt::black);

// The clock for hour and minute as an image of FaceSize x scale pixels.
QImage image(int hour, int minute, qreal scale = 1.0);

} // namespace ClockFace
