#include "ui/circleshape.h"

#include <QPainter>

#include <algorithm>

CircleShape::CircleShape(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CircleShape::setOpaque(bool opaque)
{
    if (m_opaque == opaque)
        return;
    m_opaque = opaque;
    update();
}

void CircleShape::setBackColor(const QColor &color)
{
    if (m_backColor == color)
        return;
    m_backColor = color;
    update();
}

void CircleShape::setBorderColor(const QColor &color)
{
    if (m_borderColor == color)
        return;
    m_borderColor = color;
    update();
}

void CircleShape::setBorderWidth(int width)
{
    width = std::max(width, 0);
    if (m_borderWidth == width)
        return;
    m_borderWidth = width;
    update();
}

void CircleShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // The outline lies wholly inside the widget: its middle runs half a width in.
    const qreal diameter = std::min(width(), height());
    const qreal inset = m_borderWidth / 2.0;
    QRectF circle(0, 0, diameter, diameter);
    circle.moveCenter(QRectF(rect()).center());
    circle.adjust(inset, inset, -inset, -inset);

    painter.setBrush(m_opaque ? QBrush(m_backColor) : QBrush(Qt::NoBrush));
    if (m_borderWidth > 0)
        painter.setPen(QPen(m_borderColor, m_borderWidth));
    else
        painter.setPen(Qt::NoPen);
    painter.drawEllipse(circle);
}
