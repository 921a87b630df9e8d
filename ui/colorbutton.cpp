#include "ui/colorbutton.h"

#include "ui/focusmark.h"

#include <QPainter>
#include <QStyleOptionButton>

ColorButton::ColorButton(QWidget *parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void ColorButton::setBackColor(const QColor &color)
{
    if (m_backColor == color)
        return;
    m_backColor = color;
    update();
}

void ColorButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(isDown() ? QColor(0x40, 0x40, 0x40) : QColor(0x80, 0x80, 0x80), 1));
    painter.setBrush(m_backColor);
    painter.drawRoundedRect(face, 3, 3);
    if (FocusMark::shows(this)) {
        FocusMark::paint(painter, rect());
    } else if (hasFocus()) {
        QPen focusPen(m_backColor.lightness() < 128 ? Qt::white : Qt::black, 1, Qt::DotLine);
        painter.setPen(focusPen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(face.adjusted(3, 3, -3, -3));
    }
    if (!text().isEmpty()) {
        // Text that stays readable on any face: white on dark, black on light.
        QColor ink = m_backColor.lightness() < 128 ? Qt::white : Qt::black;
        if (!isEnabled())
            ink.setAlpha(140);
        painter.setPen(ink);
        painter.setFont(font());
        painter.drawText(rect().translated(isDown() ? QPoint(1, 1) : QPoint()), Qt::AlignCenter, text());
    }
}
