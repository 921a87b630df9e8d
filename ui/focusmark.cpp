#include "ui/focusmark.h"

#include <QPainter>
#include <QWidget>

namespace FocusMark {

bool shows(const QWidget *widget)
{
    return widget->hasFocus() && widget->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void paint(QPainter &painter, const QRect &face)
{
    // Two rings two pixels wide, the black one outside: a 2-pixel pen on
    // whole coordinates covers whole pixels.
    constexpr int Ring = 2;
    const QRectF black = QRectF(face).adjusted(3, 3, -3, -3);
    const QRectF white = black.adjusted(Ring, Ring, -Ring, -Ring);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, Ring, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(black);
    painter.setPen(QPen(Qt::white, Ring, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(white);
    painter.restore();
}

} // namespace FocusMark
