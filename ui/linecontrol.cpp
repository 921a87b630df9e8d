#include "ui/linecontrol.h"

#include "ui/twips.h"

#include <QPainter>

LineControl::LineControl(const QString &name, int x1, int y1, int x2, int y2, int borderWidth, QWidget *parent)
    : QWidget(parent)
    , m_from(Twips::toPixels(x1), Twips::toPixels(y1))
    , m_to(Twips::toPixels(x2), Twips::toPixels(y2))
    , m_borderWidth(borderWidth)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Room for the pen and its round caps on every side.
    const int margin = borderWidth / 2 + 1;
    setGeometry(QRect(m_from, m_to).normalized().adjusted(-margin, -margin, margin, margin));
}

void LineControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, m_borderWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // An odd width centred on the middle of a pixel covers whole pixels: the
    // pixel of the end point is the middle one of the line.
    const qreal centre = m_borderWidth % 2 == 1 ? 0.5 : 0.0;
    const QPointF shift = QPointF(centre, centre) - QPointF(pos());
    painter.drawLine(QPointF(m_from) + shift, QPointF(m_to) + shift);
}
