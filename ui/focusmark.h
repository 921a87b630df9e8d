#pragma once

#include <QRect>

class QPainter;
class QWidget;

// The mark of the button the keyboard is on, for buttons that paint their
// own face (colours, digits, pictures): a black and a white ring just inside
// the edge, plain on any face, light or dark, and drawn only once the player
// has moved the focus by key (a mouse player's clicks leave faces as they were).
namespace FocusMark {

// True when widget has the focus and its window has been steered by key.
bool shows(const QWidget *widget);

// Draws the mark inside face (the button's rectangle, in its own pixels).
void paint(QPainter &painter, const QRect &face);

} // namespace FocusMark
