#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;

// Tells a screen reader how a run goes, as it happens: the mark of each
// answer as soon as it shows, and at the end "おわり" and the time. It reads
// the window's labels and speaks through A11y, where the game's parts (and
// its tests) can follow every announcement.
class RunAnnouncer : public QObject
{
    Q_OBJECT
public:
    RunAnnouncer(QLabel *mark, QLabel *counter, QLabel *timer, QObject *parent = nullptr);

public slots:
    void answered();
    void ended(const QString &timeText);

private:
    QPointer<QLabel> m_mark;
    QPointer<QLabel> m_counter;
    QPointer<QLabel> m_timer;
};
