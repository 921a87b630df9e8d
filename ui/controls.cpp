#include "ui/controls.h"

#include <QAbstractButton>
#include <QColor>
#include <QKeyEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>

namespace {

// Enter on a focused button presses it, as Space does (and as players of the
// Windows game are used to), without any button becoming a default that
// Enter would press from elsewhere.
class EnterPresses final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || key->isAutoRepeat())
            return false;
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (button && button->isEnabled())
            button->click();
        return true;
    }
};

QObject *enterPresses()
{
    static EnterPresses filter;
    return &filter;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text, const QFont *font, const QRect &geometry,
                  Qt::Alignment alignment)
{
    auto *control = new QLabel(text, parent);
    control->setObjectName(name);
    if (font)
        control->setFont(*font);
    control->setAlignment(alignment);
    control->setGeometry(geometry);
    return control;
}

void setColor(QWidget *widget, QPalette::ColorRole role, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

} // namespace

namespace Controls {

QLabel *label(QWidget *parent, const QString &name, const QString &text, const QFont &font, const QRect &geometry,
              Qt::Alignment alignment)
{
    return makeLabel(parent, name, text, &font, geometry, alignment);
}

QLabel *label(QWidget *parent, const QString &name, const QString &text, const QRect &geometry, Qt::Alignment alignment)
{
    return makeLabel(parent, name, text, nullptr, geometry, alignment);
}

void setBackColor(QWidget *widget, const QColor &color)
{
    setColor(widget, QPalette::Window, color);
    widget->setAutoFillBackground(true);
}

void setForeColor(QWidget *widget, const QColor &color)
{
    setColor(widget, QPalette::WindowText, color);
}

QFrame *frame(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *control = new QFrame(parent);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

QFrame *outline(QWidget *parent, const QString &name)
{
    auto *control = new QFrame(parent);
    control->setObjectName(name);
    control->setFrameShape(QFrame::Box);
    control->setAttribute(Qt::WA_TransparentForMouseEvents);
    return control;
}

QPlainTextEdit *readOnlyText(QWidget *parent, const QString &name, const QString &text, const QFont &font,
                             const QRect &geometry)
{
    auto *control = new QPlainTextEdit(text, parent);
    control->setObjectName(name);
    control->setFont(font);
    control->setReadOnly(true);
    control->setGeometry(geometry);
    return control;
}

void setUpButton(QPushButton *button, const QString &name, const QString &text, const QFont *font,
                 const QRect &geometry)
{
    button->setObjectName(name);
    button->setText(text);
    if (font)
        button->setFont(*font);
    button->setAutoDefault(false);
    button->installEventFilter(enterPresses());
    button->setGeometry(geometry);
}

QLineEdit *textBox(QWidget *parent, const QString &name, const QFont &font, const QRect &geometry, int maxLength)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setFont(font);
    box->setMaxLength(maxLength);
    box->setGeometry(geometry);
    return box;
}

} // namespace Controls
