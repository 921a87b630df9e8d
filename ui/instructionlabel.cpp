#include "ui/instructionlabel.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

int InstructionLabel::linePitch() const
{
    return std::max(1, QFontInfo(font()).pixelSize());
}

QStringList InstructionLabel::lines() const
{
    return text().split(QStringLiteral("\r\n"));
}

QSize InstructionLabel::sizeHint() const
{
    const QFontMetricsF metrics(font());
    qreal widest = 0;
    for (const QString &line : lines())
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return QSize(int(widest + 0.999), int(lines().size()) * linePitch());
}

void InstructionLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    const QFontMetricsF metrics(font());
    const int pitch = linePitch();
    // Each line's glyphs centred on its pitch.
    const qreal baseline = (pitch + metrics.ascent() - metrics.descent()) / 2;
    int top = 0;
    for (const QString &line : lines()) {
        painter.drawText(QPointF(0, top + baseline), line);
        top += pitch;
    }
}
