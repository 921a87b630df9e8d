// The ranking screen: its rows for a fixed-pitch font, clearing, and closing.

#include "settings/appstate.h"
#include "ranking/frmrank.h"
#include "ranking/rankrows.h"
#include "ranking/rankstore.h"
#include "support/scripted.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const QString Title = QStringLiteral(u"ながいのど～れ？");
}

class TestRankScreen : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempSettings> settings;
    std::unique_ptr<ScriptedDialogs> dialogs;
    RankStore ranking;

    QString shownRows(frmRank &screen)
    {
        return screen.findChild<QPlainTextEdit *>(QStringLiteral("txtRank"))->toPlainText();
    }

private slots:
    void init()
    {
        settings = std::make_unique<TempSettings>();
        dialogs = std::make_unique<ScriptedDialogs>();
        ranking = RankStore();
        ranking.RankSection = Title;
        ranking.RankTitle = Title;
    }
    void cleanup()
    {
        dialogs.reset();
        settings.reset();
    }

    void rows_data()
    {
        QTest::addColumn<int>("place");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("row");
        QTest::newRow("dated, four full-width")
            << 1 << QStringLiteral(u"58.3　ごんべえ        2007/09/05 13:15")
            << QStringLiteral(u"  1位　  58.3秒　ごんべえ        　2007/09/05 13:15");
        QTest::newRow("place 12, time 123.4")
            << 12 << QStringLiteral(u"123.4　abc             2007/09/05 13:15")
            << QStringLiteral(u" 12位　 123.4秒　abc             　2007/09/05 13:15");
        QTest::newRow("place 100, short time keeps both spaces")
            << 100 << QStringLiteral(u"9.9　ﾊﾅｺ             2007/09/05 13:15")
            << QStringLiteral(u"100位　  9.9秒　ﾊﾅｺ             　2007/09/05 13:15");
        QTest::newRow("undated, from before dates were kept")
            << 2 << QStringLiteral(u"70.4　じろう")
            << QStringLiteral(u"  2位　  70.4秒　じろう　");
        QTest::newRow("short time stays short; a name field cut by hand is filled again")
            << 3 << QStringLiteral(u"1.5　ab2007/09/05 13:15")
            << QStringLiteral(u"  3位　  1.5秒　ab              　2007/09/05 13:15");
        QTest::newRow("not a date at the end: shown as undated")
            << 4 << QStringLiteral(u"2.5　たろう     2007/13/45 99:99")
            << QStringLiteral(u"  4位　  2.5秒　たろう     2007/13/45 99:99　");
    }
    void rows()
    {
        QFETCH(int, place);
        QFETCH(QString, line);
        QFETCH(QString, row);
        QCOMPARE(RankRows::row(place, line), row);
    }

    void noData()
    {
        frmRank screen(ranking);
        QCOMPARE(shownRows(screen), QStringLiteral("No Data"));
        QCOMPARE(screen.findChild<QLabel *>(QStringLiteral("lblRankTitle"))->text(), Title);
        QCOMPARE(screen.windowTitle(), QStringLiteral(u"順位"));
    }

    void hundredRows()
    {
        for (int i = 1; i <= RankStore::Capacity; ++i)
            ranking.RankData[i] = QStringLiteral(u"%1.0　ぴこ").arg(i);
        frmRank screen(ranking);
        const QStringList rows = shownRows(screen).split(QLatin1Char('\n'));
        QCOMPARE(rows.size(), 100);
        QVERIFY(rows.last().startsWith(QStringLiteral(u"100位　")));
        QVERIFY(dialogs->shown.isEmpty());
    }

    void brokenLineEndsTheList_data()
    {
        QTest::addColumn<QString>("broken");
        QTest::newRow("no ideographic space") << QStringLiteral("2.0 broken");
        QTest::newRow("separator first, no time") << QStringLiteral(u"　2.0ぴこ        2007/09/05 13:15");
    }
    void brokenLineEndsTheList()
    {
        QFETCH(QString, broken);
        ranking.RankData[1] = QStringLiteral(u"1.0　ぴこ");
        ranking.RankData[2] = broken;
        ranking.RankData[3] = QStringLiteral(u"3.0　ぴこ");
        frmRank screen(ranking);
        QCOMPARE(shownRows(screen), QStringLiteral(u"  1位　  1.0秒　ぴこ　"));
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].text, app().BrokenIniMessage);
    }

    void clearing_data()
    {
        QTest::addColumn<bool>("first");
        QTest::addColumn<bool>("second");
        QTest::newRow("yes, yes") << true << true;
        QTest::newRow("yes, no") << true << false;
        QTest::newRow("no") << false << false;
    }
    void clearing()
    {
        QFETCH(bool, first);
        QFETCH(bool, second);
        WriteSetting(Title, QStringLiteral("1"), QStringLiteral(u"1.0　ぴこ"));
        WriteSetting(QStringLiteral("osirase"), QStringLiteral("ver"), QStringLiteral("Ver 9.1.0"));
        ranking.LoadRanking();
        frmRank screen(ranking);
        const QString before = shownRows(screen);

        dialogs->answerYesNo(first);
        if (first)
            dialogs->answerYesNo(second);
        QTest::mouseClick(screen.findChild<QPushButton *>(QStringLiteral("cmdClr")), Qt::LeftButton);

        QCOMPARE(dialogs->shown[0].text,
                 QStringLiteral(u"『ながいのど～れ？』　のランキングを全てクリアします。宜しいですか？"));
        QCOMPARE(dialogs->shown[0].caption, QStringLiteral(u"クリアしちゃうの？"));
        if (first) {
            QCOMPARE(dialogs->shown[1].text, QStringLiteral(u"本当に良いですか？"));
            QCOMPARE(dialogs->shown[1].caption, QStringLiteral(u"え～"));
        }
        const bool cleared = first && second;
        QCOMPARE(shownRows(screen), cleared ? QStringLiteral("No Data") : before);
        QCOMPARE(ReadSetting(Title, QStringLiteral("1"), QStringLiteral("NoData")),
                 cleared ? QStringLiteral("NoData") : QStringLiteral(u"1.0　ぴこ"));
        QCOMPARE(ranking.usedPlaces(), cleared ? 0 : 1);
        QCOMPARE(ReadSetting(QStringLiteral("osirase"), QStringLiteral("ver"), QString()), QStringLiteral("Ver 9.1.0"));

        if (cleared) {
            frmRank again(ranking);
            QCOMPARE(shownRows(again), QStringLiteral("No Data"));
        }
    }

    void escapeCloses()
    {
        // Nothing on the screen is lost by closing it, so Escape may.
        WriteSetting(Title, QStringLiteral("1"), QStringLiteral(u"1.0　ぴこ"));
        ranking.LoadRanking();
        frmRank screen(ranking);
        screen.show();
        screen.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        QVERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!screen.isVisible());
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(ReadSetting(Title, QStringLiteral("1"), QString()), QStringLiteral(u"1.0　ぴこ"));
    }

    void clearingThatCannotBeWritten()
    {
        WriteSetting(Title, QStringLiteral("1"), QStringLiteral(u"1.0　ぴこ"));
        ranking.LoadRanking();
        app().AppTitleText = QStringLiteral(u"カシコロ");
        frmRank screen(ranking);
        const QString before = shownRows(screen);
        // No lock can be had beside the file: nothing can be written.
        QVERIFY(QDir().mkdir(settings->path() + QStringLiteral(".lock")));

        dialogs->answerYesNo(true);
        dialogs->answerYesNo(true);
        QTest::mouseClick(screen.findChild<QPushButton *>(QStringLiteral("cmdClr")), Qt::LeftButton);

        QCOMPARE(dialogs->shown.size(), 3);
        QCOMPARE(dialogs->shown[2].kind, QStringLiteral("message"));
        QCOMPARE(dialogs->shown[2].caption, QStringLiteral(u"カシコロ"));
        QCOMPARE(dialogs->shown[2].text, writeFailedMessage(QStringLiteral(u"ランキングはクリアできなかったぴこ。")));
        QVERIFY(dialogs->shown[2].text.startsWith(QDir::toNativeSeparators(settings->path())));
        // The rows stay: the file still holds them.
        QCOMPARE(shownRows(screen), before);
        QCOMPARE(ranking.usedPlaces(), 1);
        QCOMPARE(ReadSetting(Title, QStringLiteral("1"), QStringLiteral("NoData")), QStringLiteral(u"1.0　ぴこ"));
    }
};

QTEST_MAIN(TestRankScreen)
#include "tst_rankscreen.moc"
