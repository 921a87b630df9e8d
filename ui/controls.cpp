#include "ui/controls.h"

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>

namespace {

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
    button->setGeometry(geometry);
}

} // namespace Controls
