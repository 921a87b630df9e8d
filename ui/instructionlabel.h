#pragma once

#include <QLabel>

// An exercise's instruction lines (CR LF between them), drawn one under
// another at the pitch the windows were laid out for: one em of the font,
// the way the game's Windows fonts set them. The substitute fonts carry more
// leading, which would push the last line out of its label.
class InstructionLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The distance from one line to the next, in logical pixels.
    int linePitch() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList lines() const;
};
