#pragma once

#include <QObject>
#include <QString>

class QWidget;

// What a screen reader says for the game's controls. Names and descriptions
// are Japanese, in words rather than signs ("正解", not "○"), and never
// give away what a question asks the player to judge.
namespace A11y {

// Sets what widget is read as; an empty description leaves the current one.
void describe(QWidget *widget, const QString &name, const QString &description = QString());

// Reads widget as text from now on and tells assistive technology at once,
// also when the text is the same as before (a second right answer in a row
// is news too).
void announce(QWidget *widget, const QString &text);

// Every announcement also goes out here, where the game's own parts (and its
// tests) can follow what a screen reader is told.
class Announcer : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void announced(QWidget *widget, const QString &text);
};

Announcer &announcer();

} // namespace A11y
