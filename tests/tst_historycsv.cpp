// The history as CSV: byte-order mark, CR LF, RFC 4180 quoting, one line per
// run; and kashikoro-history, the tool that writes it for scripts.

#include "history/historycsv.h"
#include "history/historystore.h"
#include "support/programs.h"
#include "support/files.h"
#include "support/historydb.h"

#include <QBuffer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QtTest>

#include <ctime>

namespace {

const QDateTime Start(QDate(2026, 3, 2), QTime(21, 5, 7), QTimeZone(9 * 3600));

// Splits CSV text as RFC 4180 reads it: quoted fields may hold commas, quotes
// (doubled) and line breaks; records end with CR LF.
QList<QStringList> parse(const QString &text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            record.append(field);
            field.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
            record.append(field);
            records.append(record);
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return records;
}

} // namespace

class TestHistoryCsv : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString historyPath() const { return dir.filePath(QStringLiteral(u"カシコロ-history.sqlite")); }

    // Two runs: one ranked, one with a title that needs every kind of quoting.
    void fillHistory()
    {
        QFile::remove(historyPath());
        HistoryStore store;
        QVERIFY(store.open(historyPath()));
        HistoryStore::Run first = makeRun(3, Start, 456, 2, 3, 7);
        first.title = QStringLiteral(u"光ってるのは何個？");
        first.answers = {{1200, true}, {800, false}, {950, false}};
        QVERIFY(store.addRun(first));
        HistoryStore::Run second = makeRun(11, Start.addDays(1), 1005, 0, 2);
        second.title = QStringLiteral("a,\"b\"\r\nc");
        QVERIFY(store.addRun(second));
    }

private slots:
    void field_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain") << QStringLiteral(u"これ、いくら？") << QStringLiteral(u"これ、いくら？");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("comma") << QStringLiteral("1,2") << QStringLiteral("\"1,2\"");
        QTest::newRow("quote") << QStringLiteral("say \"hi\"") << QStringLiteral("\"say \"\"hi\"\"\"");
        QTest::newRow("line feed") << QStringLiteral("a\nb") << QStringLiteral("\"a\nb\"");
        QTest::newRow("carriage return") << QStringLiteral("a\rb") << QStringLiteral("\"a\rb\"");
        QTest::newRow("all three") << QStringLiteral("a,\"b\"\r\nc") << QStringLiteral("\"a,\"\"b\"\"\r\nc\"");
        QTest::newRow("leading space") << QStringLiteral(" x") << QStringLiteral("\" x\"");
        QTest::newRow("ideographic space inside") << QStringLiteral(u"開　始") << QStringLiteral(u"開　始");
    }
    void field()
    {
        QFETCH(QString, text);
        QFETCH(QString, written);
        QCOMPARE(HistoryCsv::field(text), written);
    }

    void lineEndsInCrLf()
    {
        QCOMPARE(HistoryCsv::line({QStringLiteral("a"), QString(), QStringLiteral(u"×")}),
                 QByteArray("a,,\xC3\x97\r\n"));
    }

    void defaultName()
    {
        QCOMPARE(HistoryCsv::defaultFileName(QDate(2026, 1, 5)), QStringLiteral(u"カシコロ-成績-20260105.csv"));
    }

    void wholeFile()
    {
        fillHistory();
        HistoryStore store;
        QVERIFY(store.open(historyPath(), HistoryStore::Access::ReadOnly));
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(HistoryCsv::write(store, buffer));
        const QByteArray bytes = buffer.data();

        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QVERIFY(bytes.endsWith("\r\n"));
        // Every line feed outside the quoted title ends a line after a CR.
        QCOMPARE(bytes.count('\n'), 4);
        QCOMPARE(bytes.count("\r\n"), 4);

        const QList<QStringList> records = parse(QString::fromUtf8(bytes.mid(3)));
        QCOMPARE(records.size(), 3);
        QCOMPARE(records[0], HistoryCsv::header());
        QCOMPARE(records[0].front(), QStringLiteral(u"記録番号"));
        QCOMPARE(records[1], QStringList({QStringLiteral("1"), QStringLiteral("3"), QStringLiteral(u"光ってるのは何個？"),
                                          QStringLiteral("2026-03-02T21:05:07+09:00"),
                                          QStringLiteral("2026-03-02T21:05:52+09:00"), QStringLiteral("45.6"),
                                          QStringLiteral("2"), QStringLiteral("7"), QStringLiteral("3"),
                                          QStringLiteral("1200 800 950"), QStringLiteral(u"○××")}));
        QCOMPARE(records[2][2], QStringLiteral("a,\"b\"\r\nc"));
        QCOMPARE(records[2][5], QStringLiteral("100.5"));
        QCOMPARE(records[2][7], QString()); // not in the hundred best
        QVERIFY(bytes.contains("\"a,\"\"b\"\"\r\nc\""));
    }

    void emptyHistoryIsTheHeaderAlone()
    {
        QFile::remove(historyPath());
        HistoryStore store;
        QVERIFY(store.open(historyPath()));
        const QString out = dir.filePath(QStringLiteral("empty.csv"));
        QVERIFY(HistoryCsv::writeFile(store, out));
        QCOMPARE(fileBytes(out), QByteArray("\xEF\xBB\xBF") + HistoryCsv::line(HistoryCsv::header()));
    }

    void tool()
    {
        const QString tool = builtProgram(QStringLiteral("kashikoro-history"));
        if (!QFileInfo(tool).isExecutable())
            QFAIL(qPrintable(QStringLiteral("%1 is not built: build the kashikoro-history target first").arg(tool)));
        fillHistory();
        const QByteArray history = fileBytes(historyPath());

        const auto run = [&tool](const QStringList &arguments, QByteArray *out = nullptr) {
            QProcess process;
            process.start(tool, arguments);
            if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
                return -1;
            if (out)
                *out = process.readAllStandardOutput();
            return process.exitCode();
        };

        // To a file and to standard output: the same bytes as the menu's export.
        const QString csv = dir.filePath(QStringLiteral(u"成績.csv"));
        QCOMPARE(run({historyPath(), QStringLiteral("export"), csv}), 0);
        HistoryStore store;
        QVERIFY(store.open(historyPath(), HistoryStore::Access::ReadOnly));
        QBuffer expected;
        expected.open(QIODevice::WriteOnly);
        QVERIFY(HistoryCsv::write(store, expected));
        store.close();
        QCOMPARE(fileBytes(csv), expected.data());
        QByteArray out;
        QCOMPARE(run({historyPath(), QStringLiteral("export")}, &out), 0);
        QCOMPARE(out, expected.data());

        QCOMPARE(run({historyPath(), QStringLiteral("summary")}, &out), 0);
        QCOMPARE(QString::fromUtf8(out),
                 QStringLiteral(u"3\t光ってるのは何個？\t1\t45.6\t45.6\t2.00\t2026-03-02T21:05:07+09:00\n"
                                u"11\ta,\"b\"\r\nc\t1\t100.5\t100.5\t0.00\t2026-03-03T21:05:07+09:00\n"));
        QCOMPARE(fileBytes(historyPath()), history);
        // Only read: nothing is left beside the file.
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral(u"カシコロ-history*")}, QDir::Files | QDir::Hidden),
                 QStringList{QFileInfo(historyPath()).fileName()});

        // A file that is not a history, or none at all: an error, and nothing written.
        const QString planted = dir.filePath(QStringLiteral("notes.sqlite"));
        QVERIFY(putBytes(planted, QByteArray("just some notes\n")));
        QCOMPARE(run({planted, QStringLiteral("export"), csv}), 1);
        QCOMPARE(fileBytes(planted), QByteArray("just some notes\n"));
        QCOMPARE(fileBytes(csv), expected.data());
        QCOMPARE(run({dir.filePath(QStringLiteral("none.sqlite")), QStringLiteral("summary")}), 1);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("none.sqlite"))));
        QCOMPARE(run({historyPath(), QStringLiteral("drop")}), 2);
    }

    void toolOnADamagedHistory()
    {
        const QString tool = builtProgram(QStringLiteral("kashikoro-history"));
        QFile::remove(historyPath());
        {
            HistoryStore store;
            QVERIFY(store.open(historyPath()));
            for (int i = 0; i < 40; ++i) {
                HistoryStore::Run run = makeRun(1, Start.addSecs(60 * i), 300 + i);
                QVERIFY(store.addRun(run));
            }
        }
        QVERIFY(damageAnswers(historyPath(), 3));
        const QByteArray history = fileBytes(historyPath());
        for (const QString &command : {QStringLiteral("export"), QStringLiteral("summary")}) {
            QProcess process;
            process.start(tool, {historyPath(), command});
            QVERIFY(process.waitForFinished(30000));
            QCOMPARE(process.exitStatus(), QProcess::NormalExit);
            QCOMPARE(process.exitCode(), 1);
            QVERIFY(process.readAllStandardError().contains("damaged"));
            QVERIFY(process.readAllStandardOutput().isEmpty());
        }
        QCOMPARE(fileBytes(historyPath()), history);
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral(u"カシコロ-history*")}, QDir::Files | QDir::Hidden),
                 QStringList{QFileInfo(historyPath()).fileName()});
    }
};

int main(int argc, char *argv[])
{
    // The player's clock is in Japan, whatever this machine's is.
    qputenv("TZ", "JST-9");
    tzset();
    QCoreApplication application(argc, argv);
    TestHistoryCsv test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_historycsv.moc"
