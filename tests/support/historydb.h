#pragma once

// A second, plain look into a history file, as the sqlite3 tool would give
// it: tests read what the store really wrote, and play the other program
// that holds a file locked.

#include "history/historystore.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <QtTest/QTest>

class RawHistory
{
public:
    explicit RawHistory(const QString &path)
        : m_name(QStringLiteral("raw-%1").arg(reinterpret_cast<quintptr>(this)))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        if (!db.open())
            qWarning("cannot open %s", qPrintable(path));
    }
    ~RawHistory()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }

    // Runs sql; false (with a warning) when it fails.
    bool exec(const QString &sql)
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        if (query.exec(sql))
            return true;
        qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
        return false;
    }

    // The first column of the first row, or an invalid value.
    QVariant value(const QString &sql)
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        if (!query.exec(sql) || !query.next())
            return QVariant();
        return query.value(0);
    }

    // Every row, its columns joined by "|", NULL as "NULL".
    QStringList rows(const QString &sql)
    {
        QStringList result;
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        if (!query.exec(sql))
            return {QStringLiteral("error: ") + query.lastError().text()};
        while (query.next()) {
            QStringList columns;
            for (int i = 0; i < query.record().count(); ++i)
                columns.append(query.value(i).isNull() ? QStringLiteral("NULL") : query.value(i).toString());
            result.append(columns.join(QLatin1Char('|')));
        }
        return result;
    }

private:
    QString m_name;
};

// A finished run as the recorder would hand it over.
inline HistoryStore::Run makeRun(int exercise, const QDateTime &start, int tenths, int wrong = 0, int answers = 50,
                                 int rankPlace = 0)
{
    HistoryStore::Run run;
    run.exercise = exercise;
    run.title = QStringLiteral(u"種目%1").arg(exercise);
    run.startedAt = HistoryStore::isoText(start);
    run.finishedAt = HistoryStore::isoText(start.addMSecs(qint64(tenths) * 100));
    run.tenths = tenths;
    run.wrong = wrong;
    run.rankPlace = rankPlace;
    for (int i = 0; i < answers; ++i)
        run.answers.append({300 + 10 * i, i >= wrong});
    return run;
}

// Turns 64 bytes over at the start of one page of the answers table of the
// closed history at path, leafIndex counted among its leaf pages in order
// (-1: its root page). False when there is no such page.
// The leaf pages of the b-tree whose root is page root, left to right, read
// from the file itself (SQLite's file format: a page's header follows the
// file header on page 1; 0x05 and 0x02 mark interior pages of a table and of
// a table without row ids, whose cells start with a child's page number and
// whose right-most child is in the header; 0x0D and 0x0A their leaves).
inline QList<qint64> tableLeaves(QFile &file, qint64 pageSize, qint64 root, int depth = 0)
{
    if (depth > 20 || !file.seek((root - 1) * pageSize))
        return {};
    const QByteArray page = file.read(pageSize);
    const int header = root == 1 ? 100 : 0;
    if (page.size() != pageSize)
        return {};
    const auto byteAt = [&](int at) { return quint8(page.at(at)); };
    const auto number = [&](int at, int size) {
        qint64 value = 0;
        for (int i = 0; i < size; ++i)
            value = value << 8 | byteAt(at + i);
        return value;
    };
    if (byteAt(header) == 0x0D || byteAt(header) == 0x0A)
        return {root};
    if (byteAt(header) != 0x05 && byteAt(header) != 0x02)
        return {};
    QList<qint64> leaves;
    const int cells = int(number(header + 3, 2));
    for (int i = 0; i < cells; ++i)
        leaves += tableLeaves(file, pageSize, number(int(number(header + 12 + 2 * i, 2)), 4), depth + 1);
    leaves += tableLeaves(file, pageSize, number(header + 8, 4), depth + 1);
    return leaves;
}

// Turns 64 bytes over at the start of one page of the answers table of the
// closed history at path, leafIndex counted among its leaf pages in order
// (-1: its root page). False when there is no such page.
inline bool damageAnswers(const QString &path, int leafIndex)
{
    qint64 root = 0;
    qint64 pageSize = 0;
    {
        RawHistory raw(path);
        pageSize = raw.value(QStringLiteral("PRAGMA page_size")).toLongLong();
        root = raw.value(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'answers'")).toLongLong();
    }
    QFile file(path);
    if (root <= 1 || pageSize <= 0 || QFileInfo::exists(path + QStringLiteral("-wal")) || !file.open(QIODevice::ReadWrite))
        return false;
    const qint64 page = leafIndex < 0 ? root : tableLeaves(file, pageSize, root).value(leafIndex);
    if (page <= 1 || !file.seek((page - 1) * pageSize))
        return false;
    QByteArray bytes = file.read(64);
    for (char &c : bytes)
        c = char(~c);
    return bytes.size() == 64 && file.seek((page - 1) * pageSize) && file.write(bytes) == 64;
}
