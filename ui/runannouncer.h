#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QWidget;
class RunSession;

// Tells a screen reader how a run goes, as it happens: the mark of each
// answer as soon as it shows, at the end "おわり", the time and the place the
// run took, and a stop. It reads the window's labels and speaks through A11y,
// where the game's parts (and its tests) can follow every announcement.
class RunAnnouncer : public QObject
{
    Q_OBJECT
public:
    // window: whose notification carries the news; session: the run told
    // (a place is told only when its runs go to a ranking).
    RunAnnouncer(QWidget *window, const RunSession &session, QLabel *mark, QLabel *counter,
                 QObject *parent = nullptr);

public slots:
    void answered();
    void ended(const QString &timeText);
    void finished(const QString &timeText, int place);
    void stopped();

private:
    QPointer<QWidget> m_window;
    QPointer<QLabel> m_mark;
    QPointer<QLabel> m_counter;
    const RunSession &m_session;
};
