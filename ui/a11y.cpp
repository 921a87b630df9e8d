#include "ui/a11y.h"

#include <QAccessible>
#include <QAccessibleEvent>
#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

namespace A11y {

void describe(QWidget *widget, const QString &name, const QString &description)
{
    widget->setAccessibleName(name);
    if (!description.isEmpty())
        widget->setAccessibleDescription(description);
}

void announce(QWidget *widget, const QString &text)
{
    if (widget->accessibleName() != text) {
        // Qt tells the change of name itself.
        widget->setAccessibleName(text);
    } else {
        QAccessibleEvent sameName(widget, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&sameName);
    }
    QAccessibleValueChangeEvent value(widget, text);
    QAccessible::updateAccessibility(&value);
    emit announcer().announced(widget, text);
}

Announcer &announcer()
{
    static QPointer<Announcer> one;
    if (!one)
        one = new Announcer(QCoreApplication::instance());
    return *one;
}

} // namespace A11y
