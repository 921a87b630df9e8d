#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>

class QLabel;
class QWidget;

// What a screen reader says for the game's controls. Names and descriptions
// are Japanese, in words rather than signs ("正解", not "○"), and never
// give away what a question asks the player to judge.
//
// How news reaches the player: a screen reader follows the focus and ignores
// what changes elsewhere in the window (Orca drops a changed name of a label
// that has no focus), Qt 6.4 has no announcement event, and what it sends for
// a changed name or description of the focused control is not the text, so
// Orca cannot speak that either. What Orca does speak, wherever the focus is,
// is a notification as it appears: each window has one, unseen, shown anew
// with every piece of news. The focus stays on the answers.
namespace A11y {

// Sets what widget is read as; an empty description leaves the current one.
void describe(QWidget *widget, const QString &name, const QString &description = QString());

// Reads widget as text from now on and tells the player at once, also when
// the text is the same as before (a second right answer in a row is news too).
void announce(QWidget *widget, const QString &text);

// Tells the player news about the window of where, through its notification.
// News told while one event is handled (a mark, the counter,
// the next question) is joined and spoken once, when that event is done, so
// that no part cuts off another and the focus has settled where it goes.
void tell(QWidget *where, const QString &news);
// News told in the next ms waits until they have passed: after a burst of
// changes (a board of buttons enabled at once, the focus moved), Orca drops
// what it finds queued behind them when it reaches the focus.
void holdNews(int ms);
// Speaks what tell has gathered now, before a dialog takes the focus.
void flush();

// The text as a listener should hear it: bullets at the start of a line go,
// signs become words ("●" まる, "◆" ひしがた, "★" ほし, "～" ー), CR LF
// becomes a pause.
QString spoken(const QString &shown);

// The key that tells the stopwatch's time on demand.
QKeySequence timeKey();

// A window's announcements also go out through its announcer, where the
// game's own parts (and its tests) can follow what a screen reader is told.
class Announcer : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // widget reads as text from now on.
    void announced(QWidget *widget, const QString &text);
    // The news the player hears, carried by target (the window's notification).
    void told(QWidget *target, const QString &news);
};

// The announcer of window's news, made on the first ask and owned by the
// window. A window nobody follows has none and tells only the screen reader.
Announcer &announcerOf(QWidget *window);

} // namespace A11y
