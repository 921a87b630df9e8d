#include "history/history.h"

#include <QCoreApplication>
#include <QFileInfo>

QString historyPathFor(const QString &settingsFilePath)
{
    const QFileInfo settings(settingsFilePath);
    return settings.absolutePath() + QLatin1Char('/') + settings.completeBaseName() + QStringLiteral("-history.sqlite");
}

HistoryStore &historyStore()
{
    static HistoryStore store;
    // Closed with the application, while its database connections still exist.
    static const bool closesWithApplication = [] {
        qAddPostRoutine([] { historyStore().close(); });
        return true;
    }();
    Q_UNUSED(closesWithApplication);
    return store;
}

void startHistory(const QString &settingsFilePath)
{
    historyStore().open(historyPathFor(settingsFilePath));
}
