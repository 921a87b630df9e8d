#pragma once

#include <QFont>
#include <QPushButton>
#include <QRect>
#include <QString>

class QColor;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// The game's controls, each made in one call: named (the name tests and the
// windows find it by), in its font and at its place (Twips::rect). A window
// makes its controls in tab order. Without a font a control keeps the
// window's own.
namespace Controls {

QLabel *label(QWidget *parent, const QString &name, const QString &text, const QFont &font, const QRect &geometry,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
QLabel *label(QWidget *parent, const QString &name, const QString &text, const QRect &geometry,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// Fills the whole widget with color (Window), or sets its text colour (WindowText).
void setBackColor(QWidget *widget, const QColor &color);
void setForeColor(QWidget *widget, const QColor &color);

// A frame without caption or border, holding a group of controls.
QFrame *frame(QWidget *parent, const QString &name, const QRect &geometry);

// A plain box outline that lets clicks through to what lies under it; its
// owner sizes it to the window.
QFrame *outline(QWidget *parent, const QString &name);

// A one-line text box for typed answers: at most maxLength characters.
QLineEdit *textBox(QWidget *parent, const QString &name, const QFont &font, const QRect &geometry, int maxLength);

// A read-only text box.
QPlainTextEdit *readOnlyText(QWidget *parent, const QString &name, const QString &text, const QFont &font,
                             const QRect &geometry);

// Names a button and sets its caption, its font (unless font is null) and its
// place. Enter presses it while it has the focus, as Space does; it never
// turns into a default button that Enter would press from elsewhere.
void setUpButton(QPushButton *button, const QString &name, const QString &text, const QFont *font,
                 const QRect &geometry);

// A push button, or one of the game's own kinds (ColorButton, DigitButton).
template<typename Button = QPushButton>
Button *button(QWidget *parent, const QString &name, const QString &text, const QFont &font, const QRect &geometry)
{
    auto *control = new Button(parent);
    setUpButton(control, name, text, &font, geometry);
    return control;
}

template<typename Button = QPushButton>
Button *button(QWidget *parent, const QString &name, const QString &text, const QRect &geometry)
{
    auto *control = new Button(parent);
    setUpButton(control, name, text, nullptr, geometry);
    return control;
}

} // namespace Controls
