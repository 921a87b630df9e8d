#include "exercises/12_clock/clockface.h"

#include "ui/fonts.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace ClockFace {

namespace {

// A pixel's coordinates name its middle, so odd-width lines through whole
// coordinates cover whole pixels.
constexpr qreal PixelMiddle = 0.5;

// The face, in its own pixels around the middle of the centre pixel.
constexpr qreal RimRadius = 71;
constexpr qreal RimWidth = 1.5;
constexpr qreal NumeralRadius = 58;
constexpr qreal NumeralPixels = 15;
constexpr qreal DotRadius = 46;
constexpr qreal DotSize = 2;

const QColor Ink = Qt::black;
const QColor Paper = Qt::white;
const QColor MinuteHand = QColor::fromRgb(0x0000FF);
const QColor HourHand = QColor::fromRgb(0xFF0000);
const QColor Centre = QColor::fromRgb(0x00FF00);

QPointF faceCentre()
{
    const Clock::Hands hands = Clock::handsFor(0, 0, QSize(FaceSize, FaceSize));
    return QPointF(hands.centre) + QPointF(PixelMiddle, PixelMiddle);
}

// Where hour position n (1 to 12) lies at radius from the centre.
QPointF atHour(int n, qreal radius)
{
    const qreal theta = (n * 30 - 90) * std::numbers::pi / 180;
    return faceCentre() + QPointF(radius * std::cos(theta), radius * std::sin(theta));
}

QFont numeralFont()
{
    QFont font = Fonts::gothic(12);
    font.setPixelSize(int(NumeralPixels));
    return font;
}

} // namespace

void paintFace(QPainter &painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, FaceSize, FaceSize), Paper);

    painter.setPen(QPen(Ink, RimWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(faceCentre(), RimRadius, RimRadius);

    painter.setPen(Qt::NoPen);
    painter.setBrush(Ink);
    const QFont font = numeralFont();
    for (int n = 1; n <= 12; ++n) {
        painter.drawEllipse(atHour(n, DotRadius), DotSize, DotSize);
        // Each numeral as an outline, centred on its own ink.
        QPainterPath numeral;
        numeral.addText(0, 0, font, QString::number(n));
        numeral.translate(atHour(n, NumeralRadius) - numeral.boundingRect().center());
        painter.drawPath(numeral);
    }
    painter.restore();
}

void paintHands(QPainter &painter, const Clock::Hands &hands, const QColor &outline)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(PixelMiddle, PixelMiddle);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(MinuteHand, Clock::MinuteHandWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(hands.centre, hands.minuteEnd);
    painter.setPen(QPen(HourHand, Clock::HourHandWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(hands.centre, hands.hourEnd);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(Centre);
    painter.drawEllipse(QPointF(hands.centre), Clock::CentreRadius, Clock::CentreRadius);
    painter.restore();
}

void paint(QPainter &painter, int hour, int minute, const QColor &outline)
{
    paintFace(painter);
    paintHands(painter, Clock::handsFor(hour, minute, QSize(FaceSize, FaceSize)), outline);
}

QImage image(int hour, int minute, qreal scale)
{
    const int side = int(std::lround(FaceSize * scale));
    QImage picture(side, side, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Paper);
    QPainter painter(&picture);
    painter.scale(scale, scale);
    paint(painter, hour, minute);
    return picture;
}

} // namespace ClockFace
