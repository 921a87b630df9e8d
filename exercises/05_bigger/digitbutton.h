#pragma once

#include <QPushButton>

// A button whose caption is one large digit: the digit is centred on its own
// ink, not on the font's line box, so even the largest size stands whole and
// in the middle of the face. It is drawn at the button's font size; only a
// face too small for it (an unusual display) makes it shrink to fit.
class DigitButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    // The part of the face the caption may use, in the button's pixels.
    QRect captionArea() const;
    // Where the caption's ink lands, in the button's pixels.
    QRectF captionInk() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The caption's ink at the font's size, around its origin on the baseline.
    QRectF naturalInk() const;
    // The scale the caption is drawn at (1 unless the face is too small).
    qreal captionScale() const;
};
