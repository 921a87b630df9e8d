#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringView>

class RandomSource;

// いま、なんじ？: an analogue clock with 午前 or 午後 beside it; the player
// types the time on the 24-hour clock as HHMM ("0305" for 3:05 午前, "1840"
// for 6:40 午後) and presses Enter. Times are whole multiples of five minutes.
namespace Clock {

constexpr int HalfChoices = 2;    // 0 午前, 1 午後
constexpr int HourChoices = 12;   // 0 to 11; 0 stands at the 12
constexpr int MinuteChoices = 12; // 0, 5, ..., 55
constexpr int MinuteStep = 5;
constexpr int AnswerLength = 4;   // characters the answer box takes

// The clock shown while no run is under way: 午後 6:40, "1840".
constexpr int SampleHalf = 1;
constexpr int SampleHour = 6;
constexpr int SampleMinute = 40;

struct Time
{
    int half = SampleHalf;
    int hour = SampleHour;
    int minute = SampleMinute;

    // HHMM on the 24-hour clock: (half x 12 + hour) x 100 + minute.
    constexpr int answer() const { return (half * HourChoices + hour) * 100 + minute; }
    // "午前" or "午後".
    QString halfCaption() const;
};

constexpr int SampleAnswer = Time().answer(); // 1840

// The times of one window, which remember the last answer themselves.
class Times
{
public:
    explicit Times(int previousClockAnswer = SampleAnswer) : m_previousClockAnswer(previousClockAnswer) {}

    // Half Int(2 x Rnd), hour Int(12 x Rnd), minute Int(12 x Rnd) x 5, all
    // three drawn again while the answer equals PreviousClockAnswer, which
    // then becomes the new answer.
    Time draw(RandomSource &random);
    // The answer of the last time drawn (SampleAnswer before the first one).
    int PreviousClockAnswer() const { return m_previousClockAnswer; }

private:
    int m_previousClockAnswer;
};

// The typed text is right when it stands for the clock's answer; leading
// zeros may be left out ("305" for 3:05 午前).
bool isRightAnswer(QStringView typed, int clockAnswer);

// --- The hands -----------------------------------------------------------

// The nearest whole number, a half going to the even neighbour (2.5 -> 2, 7.5 -> 8).
int nearInt(double x);

constexpr double Pi = 3.1415926; // the value the hands are drawn with
constexpr int MinuteHandWidth = 1;
constexpr int HourHandWidth = 3;
constexpr int CentreRadius = 4;

// Where the hands go on a picture of the given size, in its pixels (y grows
// downward); angles in whole degrees, -90 at the 12, 0 at the 3.
struct Hands
{
    QPoint centre;
    int rad = 0; // a quarter of the width: the hands' unit of length
    int minuteAngle = 0;
    int hourAngle = 0;
    QPoint minuteEnd; // 13/12 rad from the centre
    QPoint hourEnd;   // 10/12 rad from the centre

    friend bool operator==(const Hands &, const Hands &) = default;
};

// hour 0 to 11 and minute 0 to 59 on a picture of size pixels. The hour hand
// moves on half a degree a minute, rounded to whole degrees.
Hands handsFor(int hour, int minute, QSize size);

} // namespace Clock
