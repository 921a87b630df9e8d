#include "exercises/12_clock/clocktime.h"

#include "run/random.h"
#include "run/typedanswer.h"

#include <cmath>

namespace Clock {

QString Time::halfCaption() const
{
    return half == 0 ? QStringLiteral(u"午前") : QStringLiteral(u"午後");
}

Time Times::draw(RandomSource &random)
{
    Time time;
    do {
        time.half = drawInt(random, HalfChoices);
        time.hour = drawInt(random, HourChoices);
        time.minute = drawInt(random, MinuteChoices) * MinuteStep;
    } while (time.answer() == m_previousClockAnswer);
    m_previousClockAnswer = time.answer();
    return time;
}

bool isRightAnswer(QStringView typed, int clockAnswer)
{
    return TypedAnswer::matches(typed, clockAnswer);
}

int nearInt(double x)
{
    const double down = std::floor(x);
    const double fraction = x - down;
    if (fraction > 0.5)
        return int(down) + 1;
    if (fraction < 0.5)
        return int(down);
    // Exactly a half: the even neighbour.
    return std::fmod(down, 2.0) == 0.0 ? int(down) : int(down) + 1;
}

namespace {

QPoint handEnd(QPoint centre, int angle, double length)
{
    const double theta = angle * Pi / 180;
    return QPoint(nearInt(length * std::cos(theta) + centre.x()), nearInt(length * std::sin(theta) + centre.y()));
}

} // namespace

Hands handsFor(int hour, int minute, QSize size)
{
    Hands hands;
    const int cx = nearInt(size.width() / 2.0);
    const int cy = nearInt(size.height() / 2.0);
    hands.centre = QPoint(cx, cy);
    hands.rad = nearInt(cx / 2.0);
    hands.minuteAngle = minute * 6 - 90;
    hands.hourAngle = nearInt(hour * 30 - 90 + (minute * 30) / 60.0);
    hands.minuteEnd = handEnd(hands.centre, hands.minuteAngle, (13.0 / 12.0) * hands.rad);
    hands.hourEnd = handEnd(hands.centre, hands.hourAngle, (10.0 / 12.0) * hands.rad);
    return hands;
}

} // namespace Clock
