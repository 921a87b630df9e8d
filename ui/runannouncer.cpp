#include "ui/runannouncer.h"

#include "ui/a11y.h"
#include "ui/spoken.h"

#include <QLabel>

RunAnnouncer::RunAnnouncer(QLabel *mark, QLabel *counter, QLabel *timer, QObject *parent)
    : QObject(parent), m_mark(mark), m_counter(counter), m_timer(timer)
{
}

void RunAnnouncer::answered()
{
    // Heard as soon as it is seen.
    if (m_mark)
        A11y::announce(m_mark, Spoken::mark(m_mark->text()));
}

void RunAnnouncer::ended(const QString &timeText)
{
    if (m_counter)
        A11y::announce(m_counter, QStringLiteral(u"おわり"));
    if (m_timer)
        A11y::announce(m_timer, Spoken::time(timeText));
}
