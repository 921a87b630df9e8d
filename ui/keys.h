#pragma once

#include <QKeySequence>
#include <QList>

class QAbstractButton;

// The keyboard way to play. Every exercise window starts and stops a run
// with one key; each exercise declares in a line or two which keys answer.
// Keys only ever press a button the mouse could press at that moment, and
// holding a key down presses once.
namespace Keys {

// Starts and stops a run from anywhere in an exercise window. A function
// key: it never stands for an answer, no text box takes it and no Japanese
// input method uses it.
QKeySequence startStop();

// The buttons of an array, as the functions below take them.
template<typename Range> QList<QAbstractButton *> buttons(const Range &range)
{
    QList<QAbstractButton *> list;
    for (auto *button : range)
        list.append(button);
    return list;
}

// Keys 1 to n (top row or keypad) press buttons[0] to buttons[n - 1]: a row
// of choices in the order shown.
void numberKeys(const QList<QAbstractButton *> &buttons);

// A digit key 0 to 9 (top row or keypad) presses the button whose caption is
// that digit at the moment of the press; a digit no button shows does nothing.
void digitKeys(const QList<QAbstractButton *> &buttons);

// Arrow keys move the focus over buttons laid out row by row, columns to a
// row, round from one edge to the other; Space and Enter press the focused
// button. Pressing a button by key also puts the focus on it.
void arrowGrid(const QList<QAbstractButton *> &buttons, int columns);

} // namespace Keys
