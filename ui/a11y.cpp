#include "ui/a11y.h"

#include <QAccessible>
#include <QAccessibleEvent>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>
#include <QElapsedTimer>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace A11y {

namespace {

struct Pending
{
    qint64 heldUntil = 0;
    QPointer<QWidget> window;
    QStringList parts;
    bool scheduled = false;
};

QElapsedTimer &clock()
{
    static QElapsedTimer one;
    if (!one.isValid())
        one.start();
    return one;
}

Pending &pending()
{
    static Pending one;
    return one;
}

// Where a window's news is told: a notification, shown anew for every piece
// of news. Orca speaks a notification as it appears, wherever the focus is.
class NewsBox final : public QWidget
{
public:
    explicit NewsBox(QWidget *window) : QWidget(window)
    {
        setObjectName(QStringLiteral("a11yNews"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 1, 1);
        hide();
    }

    QString news;

protected:
    // Heard, never seen.
    void paintEvent(QPaintEvent *) override {}
};

class NewsAccessible final : public QAccessibleWidget
{
public:
    explicit NewsAccessible(NewsBox *box) : QAccessibleWidget(box, QAccessible::Notification) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return static_cast<const NewsBox *>(object())->news;
        return QString();
    }
};

QAccessibleInterface *newsFactory(const QString &, QObject *object)
{
    if (auto *box = dynamic_cast<NewsBox *>(object))
        return new NewsAccessible(box);
    return nullptr;
}

Announcer *followerOf(QWidget *window)
{
    return window->findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly);
}

QWidget *carry(QWidget *window, const QString &news)
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(newsFactory);
        installed = true;
    }
    NewsBox *box = nullptr;
    for (QObject *child : window->children())
        if ((box = dynamic_cast<NewsBox *>(child)))
            break;
    if (!box)
        box = new NewsBox(window);
    box->news = news;
    // Shown anew: the same words again are news again.
    box->hide();
    box->show();
    return box;
}

} // namespace

void describe(QWidget *widget, const QString &name, const QString &description)
{
    widget->setAccessibleName(name);
    if (!description.isEmpty())
        widget->setAccessibleDescription(description);
}

void announce(QWidget *widget, const QString &text)
{
    widget->setAccessibleName(text);
    if (Announcer *follower = followerOf(widget->window()))
        emit follower->announced(widget, text);
    tell(widget, text);
}

void tell(QWidget *where, const QString &news)
{
    if (!where || news.isEmpty())
        return;
    QWidget *window = where->window();
    // A window not yet on screen has nobody to tell.
    if (!window->isVisible())
        return;
    Pending &queue = pending();
    // News for a window that has closed goes with it.
    if (!queue.window)
        queue.parts.clear();
    if (queue.window && queue.window != window)
        flush();
    queue.window = window;
    queue.parts.append(news);
    if (!queue.scheduled) {
        queue.scheduled = true;
        const qint64 wait = std::max<qint64>(0, queue.heldUntil - clock().elapsed());
        QTimer::singleShot(int(wait), qApp, [] { flush(); });
    }
}

void holdNews(int ms)
{
    pending().heldUntil = clock().elapsed() + ms;
}

void flush()
{
    Pending &queue = pending();
    queue.scheduled = false;
    const QStringList parts = std::exchange(queue.parts, {});
    if (!queue.window || parts.isEmpty())
        return;
    const QString news = parts.join(QStringLiteral(u"。"));
    QWidget *box = carry(queue.window, news);
    if (Announcer *follower = followerOf(queue.window))
        emit follower->told(box, news);
}

QString spoken(const QString &shown)
{
    QStringList lines = shown.split(QRegularExpression(QStringLiteral("\r\n|\n")));
    for (QString &line : lines) {
        line = line.trimmed();
        // Bullets and notes at the start of a line are layout, not words.
        // (A run of marks is a word, as in "●●●たたき", not a bullet.)
        while ((line.startsWith(u'●') && !line.startsWith(QStringLiteral(u"●●"))) || line.startsWith(u'※')
               || line.startsWith(u'　'))
            line.remove(0, 1);
        // A run of marks is one word: "●●●たたき" is まるたたき.
        line.replace(QRegularExpression(QStringLiteral(u"●+")), QStringLiteral(u"まる"));
        line.replace(QRegularExpression(QStringLiteral(u"◆+")), QStringLiteral(u"ひしがた"));
        line.replace(QRegularExpression(QStringLiteral(u"★+")), QStringLiteral(u"ほし"));
        line.replace(u'～', u'ー');
    }
    lines.removeAll(QString());
    // A line that carries on the one before (no full stop there) joins it.
    QString joined;
    for (const QString &line : lines) {
        if (!joined.isEmpty() && !joined.endsWith(u'。') && !joined.endsWith(u'、'))
            joined += QStringLiteral(u"、");
        joined += line;
    }
    return joined;
}

QKeySequence timeKey()
{
    return QKeySequence(Qt::Key_F6);
}

Announcer &announcerOf(QWidget *window)
{
    Q_ASSERT(window && window->isWindow());
    if (Announcer *follower = followerOf(window))
        return *follower;
    return *new Announcer(window);
}

} // namespace A11y
