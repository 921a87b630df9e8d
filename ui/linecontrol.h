#pragma once

#include <QPoint>
#include <QWidget>

// One line of the window: a segment between two points given in twips, drawn
// in black as a vector, BorderWidth logical pixels wide. It covers just its own
// strip of the window, so showing or hiding it is showing or hiding the widget.
class LineControl : public QWidget
{
    Q_OBJECT
public:
    LineControl(const QString &name, int x1, int y1, int x2, int y2, int borderWidth, QWidget *parent);

    int borderWidth() const { return m_borderWidth; }
    // The end points in the parent's pixels.
    QPoint from() const { return m_from; }
    QPoint to() const { return m_to; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint m_from;
    QPoint m_to;
    int m_borderWidth;
};
