#include "exercises/09_longest/linesview.h"

#include "ui/twips.h"

#include <QLineF>
#include <QPainter>

namespace {
constexpr qreal TwipsPerPixel = 15.0;
}

LinesView::LinesView(QWidget *parent)
    : QFrame(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LinesView::setLines(const Longest::LineSet &lines)
{
    if (lines == m_lines)
        return;
    m_lines = lines;
    update();
}

QLineF LinesView::drawnLine(int index) const
{
    // Across: on whole pixels, the middle of an odd width on the middle of a
    // pixel, so the line's sides are crisp. Down: to the fraction of a pixel,
    // so a longer line is never drawn shorter than a shorter one.
    const qreal x = Twips::toPixels(Longest::lineX(index)) + (LineWidth % 2 == 1 ? 0.5 : 0.0);
    const Longest::Line &ends = m_lines[index];
    return QLineF(x, ends.Y1 / TwipsPerPixel, x, ends.Y2 / TwipsPerPixel);
}

void LinesView::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), LineWidth, Qt::SolidLine, Qt::FlatCap));
    for (int index = 0; index < Longest::Lines; ++index)
        painter.drawLine(drawnLine(index));
}
