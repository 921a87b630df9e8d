#include "history/history.h"

#include <QFileInfo>

QString historyPathFor(const QString &settingsFilePath)
{
    const QFileInfo settings(settingsFilePath);
    return settings.absolutePath() + QLatin1Char('/') + settings.completeBaseName() + QStringLiteral("-history.sqlite");
}

void startHistory(HistoryStore &store, const QString &settingsFilePath)
{
    store.open(historyPathFor(settingsFilePath));
}
