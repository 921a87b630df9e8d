#include "exercises/05_bigger/digitbutton.h"

#include "ui/focusmark.h"

#include <QFontMetricsF>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace {
// The room a digit that has to shrink keeps to the edge of the face.
constexpr int ShrinkMargin = 2;
}

QRect DigitButton::captionArea() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

QRectF DigitButton::naturalInk() const
{
    return QFontMetricsF(font()).tightBoundingRect(text());
}

qreal DigitButton::captionScale() const
{
    const QRectF ink = naturalInk();
    const QRect area = captionArea();
    if (ink.isEmpty() || (ink.width() <= area.width() && ink.height() <= area.height()))
        return 1.0;
    const QRect room = area.adjusted(ShrinkMargin, ShrinkMargin, -ShrinkMargin, -ShrinkMargin);
    return std::min(room.width() / ink.width(), room.height() / ink.height());
}

QRectF DigitButton::captionInk() const
{
    const QRectF ink = naturalInk();
    const qreal scale = captionScale();
    QRectF placed(0, 0, ink.width() * scale, ink.height() * scale);
    placed.moveCenter(QRectF(captionArea()).center());
    return placed;
}

void DigitButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    if (FocusMark::shows(this))
        FocusMark::paint(painter, rect());
    if (text().isEmpty())
        return;

    QPointF centre = QRectF(captionArea()).center();
    if (isDown()) {
        centre += QPointF(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                          style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    const qreal scale = captionScale();
    painter.setFont(font());
    painter.setPen(option.palette.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.translate(centre);
    painter.scale(scale, scale);
    // The text's origin is on its baseline: put the middle of its ink at the centre.
    painter.drawText(-naturalInk().center(), text());
}
