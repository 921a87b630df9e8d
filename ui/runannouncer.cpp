#include "ui/runannouncer.h"

#include "run/runsession.h"
#include "ui/a11y.h"
#include "ui/spoken.h"

#include <QLabel>

RunAnnouncer::RunAnnouncer(QWidget *window, const RunSession &session, QLabel *mark, QLabel *counter,
                           QObject *parent)
    : QObject(parent), m_window(window), m_mark(mark), m_counter(counter), m_session(session)
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
    if (!m_window)
        return;
    A11y::tell(m_window, QStringLiteral(u"記録　%1秒").arg(timeText));
    // Heard before the ranking's dialog takes the focus.
    A11y::flush();
}

void RunAnnouncer::finished(const QString &, int place)
{
    if (m_window && m_session.ranking())
        A11y::tell(m_window, place > 0 ? QStringLiteral(u"順位は%1位").arg(place) : QStringLiteral(u"順位外"));
}

void RunAnnouncer::stopped()
{
    if (m_window)
        A11y::tell(m_window, QStringLiteral(u"中止しました"));
}
