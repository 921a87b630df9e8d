#include "history/historyrecorder.h"

#include "settings/appstate.h"
#include "settings/dialogs.h"

#include <QDir>

void HistoryRecorder::runStarted(int exerciseNumber, const QString &title)
{
    m_run = HistoryStore::Run();
    m_run.exercise = exerciseNumber;
    m_run.title = title;
    m_run.startedAt = HistoryStore::isoText(now());
    m_inRun = true;
}

void HistoryRecorder::answered(bool correct, qint64 msSincePrevious)
{
    if (!m_inRun)
        return;
    m_run.answers.append({qMax<qint64>(0, msSincePrevious), correct});
    if (!correct)
        ++m_run.wrong;
    // The run ends with its last answer, not when the ranking's dialogs close.
    m_run.finishedAt = HistoryStore::isoText(now());
}

void HistoryRecorder::runFinished(const QString &timeText, int rankPlace)
{
    if (!m_inRun)
        return;
    m_inRun = false;
    m_run.tenths = HistoryStore::tenthsOf(timeText);
    m_run.rankPlace = rankPlace >= 1 && rankPlace <= 100 ? rankPlace : 0;
    if (m_run.finishedAt.isEmpty())
        m_run.finishedAt = HistoryStore::isoText(now());
    const bool saved = m_run.tenths >= 0 && m_store.addRun(m_run);
    // The ranking is only said to be safe when this run's place was written.
    const bool placeKept = m_run.rankPlace > 0;
    m_run = HistoryStore::Run();
    if (!saved)
        tellPlayerOnce(placeKept);
}

void HistoryRecorder::runStopped()
{
    m_inRun = false;
    m_run = HistoryStore::Run();
}

QString HistoryRecorder::unusableMessage(const QString &path)
{
    return QStringLiteral(u"成績の記録ファイルが使えないので、今回は成績を記録しないぴこ。\n"
                          u"ファイルはそのままにしてあるぴこ。\n%1")
        .arg(QDir::toNativeSeparators(path));
}

QString HistoryRecorder::notSavedMessage(const QString &path, bool placeKept)
{
    return (placeKept ? QStringLiteral(u"成績を記録できなかったぴこ。ランキングはちゃんと残っているぴこ。\n%1")
                      : QStringLiteral(u"成績を記録できなかったぴこ。\n%1"))
        .arg(QDir::toNativeSeparators(path));
}

void HistoryRecorder::tellPlayerOnce(bool placeKept)
{
    if (m_told)
        return;
    m_told = true;
    const QString path = m_store.path();
    dialogs().showMessage(m_store.problem() == HistoryStore::Problem::None ? notSavedMessage(path, placeKept)
                                                                           : unusableMessage(path),
                          app().AppTitleText, Dialogs::Icon::Exclamation);
}
