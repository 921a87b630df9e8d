#pragma once

#include <QColor>
#include <QPushButton>

// A button in "graphical" style: its back colour fills the whole face, so the
// colour itself can be the answer (colour buttons) or the state (board buttons).
class ColorButton : public QPushButton
{
    Q_OBJECT
public:
    explicit ColorButton(QWidget *parent = nullptr);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_backColor = Qt::lightGray;
};
