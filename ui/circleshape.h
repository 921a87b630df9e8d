#pragma once

#include <QColor>
#include <QWidget>

// A circle shape: an outline of a given width and colour, and an interior that
// is either opaque (filled with the back colour) or transparent (only the
// outline shows). The circle is the largest that fits the widget, centred.
// Shapes take no clicks.
class CircleShape : public QWidget
{
    Q_OBJECT
public:
    explicit CircleShape(QWidget *parent = nullptr);

    bool isOpaque() const { return m_opaque; }
    void setOpaque(bool opaque);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);

    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &color);

    // In logical pixels.
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_opaque = false;
    QColor m_backColor = Qt::white;
    QColor m_borderColor = Qt::black;
    int m_borderWidth = 1;
};
