// The ranking store: places, ties, a full ranking, names the file can hold,
// and what the settings file looks like afterwards.

#include "settings/appstate.h"
#include "settings/cp932.h"
#include "ranking/rankstore.h"
#include "support/files.h"
#include "support/scripted.h"

#include <QFile>
#include <QtTest>

namespace {

const QString Title = QStringLiteral(u"これは何色？");
const QDateTime Stamp(QDate(2026, 12, 8), QTime(9, 5));

QString line(const QString &time, const QString &name = QStringLiteral(u"ごんべえ"))
{
    return RankStore::makeLine(time, name, Stamp);
}

} // namespace

class TestRankStore : public QObject
{
    Q_OBJECT

private:
    RankStore store;
    std::unique_ptr<TempSettings> settings;
    std::unique_ptr<ScriptedDialogs> dialogs;

    void fill(const QStringList &times)
    {
        for (int i = 0; i < times.size(); ++i)
            store.RankData[i + 1] = line(times[i]);
    }

private slots:
    void init()
    {
        settings = std::make_unique<TempSettings>();
        dialogs = std::make_unique<ScriptedDialogs>();
        app().AppTitleText = QStringLiteral(u"カシコロ");
        store = RankStore();
        store.RankSection = Title;
        store.RankTitle = Title;
        store.now = [] { return Stamp; };
    }
    void cleanup()
    {
        dialogs.reset();
        settings.reset();
    }

    void lineFormat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("four full-width") << QStringLiteral(u"ごんべえ")
                                         << QStringLiteral(u"58.3　ごんべえ        2026/12/08 09:05");
        QTest::newRow("eight full-width, no fill") << QStringLiteral(u"１２３４５６７８")
                                                   << QStringLiteral(u"58.3　１２３４５６７８2026/12/08 09:05");
        QTest::newRow("eight ASCII, eight spaces") << QStringLiteral("abcdefgh")
                                                   << QStringLiteral(u"58.3　abcdefgh        2026/12/08 09:05");
        QTest::newRow("half-width katakana count one") << QStringLiteral(u"ﾊﾅｺ")
                                                       << QStringLiteral(u"58.3　ﾊﾅｺ             2026/12/08 09:05");
    }
    void lineFormat()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(RankStore::makeLine(QStringLiteral("58.3"), name, Stamp), expected);
    }

    void findPlace_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<double>("time");
        QTest::addColumn<int>("place");
        QTest::newRow("empty ranking") << QStringList() << 58.3 << 1;
        QTest::newRow("equal time goes below") << QStringList{QStringLiteral("10.0"), QStringLiteral("20.0"), QStringLiteral("30.0"), QStringLiteral("40.0")} << 30.0 << 4;
        QTest::newRow("numeric, not textual") << QStringList{QStringLiteral("9.5"), QStringLiteral("10.2")} << 9.9 << 2;
        QTest::newRow("better than all") << QStringList{QStringLiteral("9.5"), QStringLiteral("10.2")} << 1.0 << 1;
        QTest::newRow("worse than all") << QStringList{QStringLiteral("9.5"), QStringLiteral("10.2")} << 99.9 << 3;
    }
    void findPlace()
    {
        QFETCH(QStringList, stored);
        QFETCH(double, time);
        QFETCH(int, place);
        fill(stored);
        QCOMPARE(store.FindRankPlace(time), place);
    }

    void malformedLine_data()
    {
        QTest::addColumn<QString>("bad");
        QTest::newRow("no ideographic space") << QStringLiteral("12.3 taro");
        QTest::newRow("separator first") << QStringLiteral(u"　12.3taro");
        QTest::newRow("time not a number") << QStringLiteral(u"abc　taro");
    }
    void malformedLine()
    {
        QFETCH(QString, bad);
        store.RankData[1] = line(QStringLiteral("5.0"));
        store.RankData[2] = bad;
        QCOMPARE(store.FindRankPlace(3.0), 1); // the search stops before the bad line
        QCOMPARE(store.FindRankPlace(9.0), 0);

        store.RankIn(QStringLiteral("9.0"));
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("message"));
        QCOMPARE(dialogs->shown[0].text, app().BrokenIniMessage);
        QVERIFY(app().BrokenIniMessage.endsWith(QStringLiteral(u"は、壊れています。削除して下さい。")));
        QVERIFY(!QFile::exists(settings->path()));
    }

    void firstRankIn()
    {
        dialogs->answerText(QStringLiteral(u"たろう"));
        store.RankIn(QStringLiteral("58.3"));
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].text, QStringLiteral(u"名前を入力するだぴこ。８文字まで有効だぴこ。"));
        QCOMPARE(dialogs->shown[0].caption, QStringLiteral(u"おめでとうだぴこ。　1位だぴこ。"));
        QCOMPARE(ReadSetting(Title, QStringLiteral("1"), QStringLiteral("NoData")),
                 QStringLiteral(u"58.3　たろう          2026/12/08 09:05"));
        QCOMPARE(store.LastRankName, QStringLiteral(u"たろう"));
    }

    void tieGoesBelowAndMovesTheRestDown()
    {
        fill({QStringLiteral("10.0"), QStringLiteral("20.0"), QStringLiteral("30.0"), QStringLiteral("40.0")});
        dialogs->answerText(QStringLiteral("NEW"));
        store.RankIn(QStringLiteral("30.0"));
        QCOMPARE(dialogs->shown[0].caption, QStringLiteral(u"おめでとうだぴこ。　4位だぴこ。"));
        QVERIFY(store.RankData[4].contains(QStringLiteral("NEW")));
        QVERIFY(store.RankData[5].startsWith(QStringLiteral(u"40.0　")));
        QCOMPARE(store.usedPlaces(), 5);
        store.LoadRanking();
        QCOMPARE(store.usedPlaces(), 5);
        QVERIFY(store.RankData[4].contains(QStringLiteral("NEW")));
    }

    void fullRanking()
    {
        QStringList times;
        for (int i = 1; i <= RankStore::Capacity; ++i)
            times << QString::number(i) + QStringLiteral(".0");
        fill(times);

        // As slow as the last place: no room, nothing written.
        store.RankIn(QStringLiteral("100.0"));
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].text, QStringLiteral(u"残念！100位以内に入れませんでした。"));
        QVERIFY(!QFile::exists(settings->path()));

        // A new best: every line moves down, the old 100th is gone, all keys rewritten.
        dialogs->answerText(QStringLiteral("best"));
        store.RankIn(QStringLiteral("0.5"));
        QVERIFY(store.RankData[1].startsWith(QStringLiteral(u"0.5　best")));
        QVERIFY(store.RankData[100].startsWith(QStringLiteral(u"99.0　")));
        QVERIFY(ReadSetting(Title, QStringLiteral("100"), QString()).startsWith(QStringLiteral(u"99.0　")));
        QVERIFY(ReadSetting(Title, QStringLiteral("1"), QString()).startsWith(QStringLiteral(u"0.5　best")));
    }

    void names_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("ten characters keep eight") << QStringLiteral("abcdefghij") << QStringLiteral("abcdefgh");
        QTest::newRow("empty becomes ごんべえ") << QString() << QStringLiteral(u"ごんべえ");
        QTest::newRow("emoji cannot be stored") << QStringLiteral(u"ぴこ😀") << QStringLiteral(u"ぴこ？");
        QTest::newRow("kanji outside the code page") << QStringLiteral(u"森鷗外") << QStringLiteral(u"森？外");
        QTest::newRow("astral characters count one each") << QStringLiteral(u"𠮷𠮷𠮷𠮷𠮷𠮷𠮷𠮷𠮷") << QStringLiteral(u"？？？？？？？？");
        QTest::newRow("control characters") << QStringLiteral("a\tb\r\nc") << QStringLiteral(u"a？b？？c");
        QTest::newRow("wave dash stays") << QStringLiteral(u"ぬけ～") << QStringLiteral(u"ぬけ～");
    }
    void names()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        dialogs->answerText(typed);
        store.RankIn(QStringLiteral("12.3"));
        QCOMPARE(store.LastRankName, stored);

        // What was stored reads back exactly, and name + fill is 16 bytes.
        const QString written = ReadSetting(Title, QStringLiteral("1"), QString());
        QCOMPARE(written, RankStore::makeLine(QStringLiteral("12.3"), stored, Stamp));
        const QString nameField = written.mid(5, written.size() - 5 - 16);
        QCOMPARE(Cp932::byteLength(nameField), 16);
    }

    void lastNameIsOfferedNextTime()
    {
        dialogs->answerText(QString());
        store.RankIn(QStringLiteral("20.0"));
        dialogs->answerText(QStringLiteral(u"はなこ"));
        store.RankIn(QStringLiteral("10.0"));
        QCOMPARE(dialogs->shown[1].defaultText, QStringLiteral(u"ごんべえ"));
        QCOMPARE(store.RankData[1].left(8), QStringLiteral(u"10.0　はなこ"));
        QVERIFY(store.RankData[2].startsWith(QStringLiteral(u"20.0　ごんべえ")));
    }

    void loadStopsAtTheFirstGap()
    {
        WriteSetting(Title, QStringLiteral("1"), line(QStringLiteral("1.0")));
        WriteSetting(Title, QStringLiteral("2"), line(QStringLiteral("2.0")));
        WriteSetting(Title, QStringLiteral("4"), line(QStringLiteral("4.0")));
        store.RankData[7] = QStringLiteral("stale");
        store.LoadRanking();
        QCOMPARE(store.usedPlaces(), 2);
        QVERIFY(store.RankData[4].isEmpty());
        QVERIFY(store.RankData[7].isEmpty());
    }

    void clearing()
    {
        WriteSetting(QStringLiteral("osirase"), QStringLiteral("dspFlag"), QStringLiteral("1"));
        fill({QStringLiteral("1.0")});
        store.InsertRanking(2, line(QStringLiteral("2.0")));
        store.ClearRanking();
        QCOMPARE(store.usedPlaces(), 0);
        QCOMPARE(ReadSetting(Title, QStringLiteral("1"), QStringLiteral("NoData")), QStringLiteral("NoData"));
        QCOMPARE(ReadSetting(QStringLiteral("osirase"), QStringLiteral("dspFlag"), QString()), QStringLiteral("1"));
    }

    void legacyFileKeepsItsOtherSections()
    {
        const QString sample = qEnvironmentVariable("KASHIKORO_SOURCE_DIR")
            + QStringLiteral("/../shared/samples/legacy-settings.ini");
        if (!QFile::exists(sample))
            QSKIP("the legacy sample is not beside the project");
        QVERIFY(QFile::copy(sample, settings->path()));
        const QByteArray before = fileBytes(settings->path());

        // The undated section loads, ties and all.
        store.RankSection = QStringLiteral(u"ながいのど～れ？");
        store.LoadRanking();
        QCOMPARE(store.usedPlaces(), 2);
        QCOMPARE(store.RankData[1], QStringLiteral(u"62.1　はなこ"));

        store.RankSection = Title;
        store.LoadRanking();
        QCOMPARE(store.usedPlaces(), 4);
        QCOMPARE(store.FindRankPlace(35.0), 4);

        dialogs->answerText(QStringLiteral(u"ぴこ"));
        store.RankIn(QStringLiteral("35.0"));
        const QByteArray after = fileBytes(settings->path());

        // Everything from the next section on is byte for byte as it was.
        const QByteArray nextSection = Cp932::encode(QStringLiteral(u"[ながいのど～れ？]"));
        const qsizetype fromBefore = before.indexOf(nextSection);
        const qsizetype fromAfter = after.indexOf(nextSection);
        QVERIFY(fromBefore > 0 && fromAfter > 0);
        QCOMPARE(after.mid(fromAfter), before.mid(fromBefore));
        QCOMPARE(after.left(before.indexOf(Cp932::encode(Title))), before.left(before.indexOf(Cp932::encode(Title))));
        QVERIFY(after.contains(Cp932::encode(QStringLiteral(u"4=35.0　ぴこ            2026/12/08 09:05\r\n"))));
        QVERIFY(after.contains(Cp932::encode(QStringLiteral(u"5=48.9　"))));
    }
};

QTEST_APPLESS_MAIN(TestRankStore)
#include "tst_rankstore.moc"
