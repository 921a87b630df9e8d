#include "history/historycsv.h"

#include "run/stopwatch.h"

#include <QIODevice>
#include <QSaveFile>

namespace HistoryCsv {

QString field(const QString &text)
{
    const bool needsQuotes = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))
        || text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))
        || (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!needsQuotes)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray line(const QStringList &fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString &text : fields)
        quoted.append(field(text));
    return (quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8();
}

QStringList header()
{
    return {QStringLiteral(u"記録番号"), QStringLiteral(u"種目番号"),           QStringLiteral(u"種目"),
            QStringLiteral(u"開始日時"), QStringLiteral(u"終了日時"),           QStringLiteral(u"タイム（秒）"),
            QStringLiteral(u"間違い"),   QStringLiteral(u"順位"),               QStringLiteral(u"回答数"),
            QStringLiteral(u"回答時間（ミリ秒）"), QStringLiteral(u"正誤")};
}

QStringList fields(const HistoryStore::Run &run)
{
    QStringList times;
    QString marks;
    times.reserve(run.answers.size());
    for (const HistoryStore::Answer &answer : run.answers) {
        times.append(QString::number(answer.ms));
        marks += answer.correct ? QStringLiteral(u"○") : QStringLiteral(u"×");
    }
    return {QString::number(run.id),
            QString::number(run.exercise),
            run.title,
            run.startedAt,
            run.finishedAt,
            Stopwatch::format(run.tenths),
            QString::number(run.wrong),
            run.rankPlace >= 1 ? QString::number(run.rankPlace) : QString(),
            QString::number(run.answers.size()),
            times.join(QLatin1Char(' ')),
            marks};
}

bool write(const HistoryStore &store, QIODevice &out)
{
    static const QByteArray ByteOrderMark("\xEF\xBB\xBF");
    if (out.write(ByteOrderMark) != ByteOrderMark.size())
        return false;
    const QByteArray head = line(header());
    if (out.write(head) != head.size())
        return false;
    bool written = true;
    const bool read = store.forEachRun([&out, &written](const HistoryStore::Run &run) {
        const QByteArray bytes = line(fields(run));
        written = out.write(bytes) == bytes.size();
        return written;
    });
    return read && written;
}

bool writeFile(const HistoryStore &store, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!write(store, file)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString defaultFileName(const QDate &day)
{
    return QStringLiteral(u"カシコロ-成績-%1.csv").arg(day.toString(QStringLiteral("yyyyMMdd")));
}

} // namespace HistoryCsv
