// The version screen, as the start-up splash and as the about box, and the
// change history it shows.

#include "app/changehistory.h"
#include "app/frmver.h"
#include "support/game.h"
#include "support/scripted.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocument>
#include <QtTest/QtTest>

namespace {

const QString HomePage = QStringLiteral("https://kashikoro.example.jp/");

// A label's text as the player reads it, without the markup of a link.
QString shownText(const QLabel *label)
{
    if (label->textFormat() != Qt::RichText)
        return label->text();
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

} // namespace

class TestVersion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        setUpGame();
    }
    void cleanup() { frmVer::urlOpener() = nullptr; }

    void historyHasFifteenBlocksOldestFirst();
    void splashOrAbout_data();
    void splashOrAbout();
    void addressOpensTheHomePage_data();
    void addressOpensTheHomePage();
    void escapeClosesTheAboutBox();
};

void TestVersion::historyHasFifteenBlocksOldestFirst()
{
    const QString history = MakeChangeHistoryText();
    QCOMPARE(history.count(QLatin1Char('\n')), history.count(QStringLiteral("\r\n")));
    QCOMPARE(history.count(QLatin1Char('\r')), history.count(QStringLiteral("\r\n")));
    const QStringList lines = history.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.first(), QStringLiteral(u"●Ver 1.0.0（2005年 9月 9日）･･･　新規作成"));
    QCOMPARE(lines.last(), QStringLiteral(u"　　　・ランクイン日時付加機能"));

    const QStringList blocks = history.split(QStringLiteral("\r\n\r\n"));
    QCOMPARE(blocks.size(), 15);
    // A header: mark, version, date padded with half-width spaces, "･･･　", kind;
    // then detail lines, each "　　　・" and something.
    static const QRegularExpression header(QStringLiteral(u"^●Ver (\\d\\.\\d\\.\\d)（20\\d\\d年[ 1]\\d月[ 123]\\d日）･･･　\\S+$"));
    static const QRegularExpression detail(QStringLiteral(u"^　　　・\\S+$"));
    QString previousVersion;
    for (const QString &block : blocks) {
        const QStringList blockLines = block.split(QStringLiteral("\r\n"));
        const QRegularExpressionMatch match = header.match(blockLines.first());
        QVERIFY2(match.hasMatch(), qPrintable(blockLines.first()));
        QVERIFY2(match.captured(1) > previousVersion, qPrintable(blockLines.first()));
        previousVersion = match.captured(1);
        for (const QString &line : blockLines.mid(1))
            QVERIFY2(detail.match(line).hasMatch(), qPrintable(line));
    }
    QCOMPARE(previousVersion, QStringLiteral("9.1.0"));
}

void TestVersion::splashOrAbout_data()
{
    QTest::addColumn<bool>("splash");
    QTest::addColumn<int>("clientHeight");
    QTest::newRow("splash at start") << true << 103;
    QTest::newRow("about box from the menu") << false << 343;
}

void TestVersion::splashOrAbout()
{
    QFETCH(bool, splash);
    QFETCH(int, clientHeight);

    frmVer screen(splash ? frmVer::Mode::Splash : frmVer::Mode::About);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));

    QCOMPARE(screen.size(), QSize(Twips::toPixels(frmVer::ClientWidth), clientHeight));
    QCOMPARE(screen.findChild<QWidget *>(QStringLiteral("shpFrame"))->geometry(), screen.rect());
    auto *close = screen.findChild<QPushButton *>(QStringLiteral("cmdClose"));
    QCOMPARE(close->isEnabled(), !splash);
    auto *history = screen.findChild<QPlainTextEdit *>(QStringLiteral("txtHistory"));
    const QString shownHistory = history->toPlainText();
    if (splash) {
        QVERIFY(shownHistory.isEmpty());
    } else {
        QVERIFY(shownHistory.startsWith(QStringLiteral(u"●Ver 1.0.0（2005年 9月 9日）･･･　新規作成\n\n●Ver 1.0.1")));
        QVERIFY(shownHistory.endsWith(QStringLiteral(u"\n　　　・ランキングクリア機能\n　　　・ランクイン日時付加機能")));
        QCOMPARE(shownHistory.count(QLatin1Char('\n')), 48); // 35 lines and 14 empty ones between the blocks
        QVERIFY(!shownHistory.contains(QLatin1Char('\r')));
    }
    QCOMPARE(screen.rect().contains(history->geometry()), !splash);

    QCOMPARE(shownText(screen.findChild<QLabel *>(QStringLiteral("lblTitle"))), QStringLiteral(u"カシコロ"));
    QCOMPARE(shownText(screen.findChild<QLabel *>(QStringLiteral("lblVer"))), QStringLiteral("Ver 9.1.0"));
    QCOMPARE(shownText(screen.findChild<QLabel *>(QStringLiteral("lblName"))),
             QStringLiteral(u"会社名：カシコロ工房\n"
                            u"商　標：カシコロ(TM)\n"
                            u"著作権：Copyright (C) 2005-2026 カシコロ工房"));
    auto *address = screen.findChild<QLabel *>(QStringLiteral("lblURL"));
    QCOMPARE(shownText(address), HomePage);
    QCOMPARE(address->pos(), Twips::rect(2400, 1200, 0, 0).topLeft());

    // Title, maker lines, address and version show whole in both modes.
    for (const char *name : {"lblTitle", "lblName", "lblURL", "lblVer"}) {
        auto *label = screen.findChild<QLabel *>(QString::fromLatin1(name));
        QVERIFY2(screen.rect().contains(label->geometry()), name);
        const QRect text = label->fontMetrics().boundingRect(QRect(), Qt::AlignLeft | Qt::AlignTop, shownText(label));
        QVERIFY2(text.width() <= label->width() && text.height() <= label->height(), name);
    }

    if (!splash) {
        QTest::mouseClick(close, Qt::LeftButton);
        QTRY_VERIFY(!screen.isVisible());
    }
}

void TestVersion::addressOpensTheHomePage_data()
{
    QTest::addColumn<bool>("splash");
    QTest::newRow("about box") << false;
    QTest::newRow("splash") << true;
}

void TestVersion::addressOpensTheHomePage()
{
    QFETCH(bool, splash);
    QList<QUrl> opened;
    frmVer::urlOpener() = [&opened](const QUrl &url) { opened.append(url); };

    frmVer screen(splash ? frmVer::Mode::Splash : frmVer::Mode::About);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    QTest::mouseClick(screen.findChild<QLabel *>(QStringLiteral("lblVer")), Qt::LeftButton);
    QVERIFY(opened.isEmpty());
    QTest::mouseClick(screen.findChild<QLabel *>(QStringLiteral("lblURL")), Qt::LeftButton);
    QCOMPARE(opened, QList<QUrl>{QUrl(HomePage)});
    QVERIFY(opened.first().isValid());
}

void TestVersion::escapeClosesTheAboutBox()
{
    frmVer screen(frmVer::Mode::About);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    QTest::keyClick(&screen, Qt::Key_Escape);
    QVERIFY(!screen.isVisible());
}

QTEST_MAIN(TestVersion)
#include "tst_version.moc"
