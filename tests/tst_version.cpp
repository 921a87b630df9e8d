// The version screen, as the start-up splash and as the about box, and the
// change history it shows.

#include "app/changehistory.h"
#include "app/frmver.h"
#include "support/game.h"
#include "support/scripted.h"
#include "support/programs.h"
#include "ui/twips.h"
#include "buildinfo.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocument>
#include <QtTest/QtTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

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
    void programCarriesTheSameVersionInformation_data();
    void programCarriesTheSameVersionInformation();
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

// Windows shows a program's version information in its properties: the
// .exe carries the same numbers and maker strings as the version screen.
void TestVersion::programCarriesTheSameVersionInformation_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("company") << QStringLiteral("CompanyName") << QString::fromUtf16(BuildInfo::Company);
    QTest::newRow("copyright") << QStringLiteral("LegalCopyright") << QString::fromUtf16(BuildInfo::Copyright);
    QTest::newRow("trademarks") << QStringLiteral("LegalTrademarks") << QString::fromUtf16(BuildInfo::Trademarks);
    QTest::newRow("product") << QStringLiteral("ProductName") << QString::fromUtf16(BuildInfo::Title);
    QTest::newRow("version") << QStringLiteral("ProductVersion")
                             << QStringLiteral("%1.%2.%3")
                                    .arg(BuildInfo::VersionMajor)
                                    .arg(BuildInfo::VersionMinor)
                                    .arg(BuildInfo::VersionRevision);
}

void TestVersion::programCarriesTheSameVersionInformation()
{
#ifdef Q_OS_WIN
    QFETCH(QString, name);
    QFETCH(QString, value);
    const std::wstring program = QDir::toNativeSeparators(builtProgram(QStringLiteral(u"カシコロ"))).toStdWString();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    QVERIFY2(size > 0, "the program has no version information");
    QByteArray block(qsizetype(size), '\0');
    QVERIFY(GetFileVersionInfoW(program.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    QVERIFY(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void **>(&fixed), &length) && fixed);
    QCOMPARE(int(HIWORD(fixed->dwFileVersionMS)), BuildInfo::VersionMajor);
    QCOMPARE(int(LOWORD(fixed->dwFileVersionMS)), BuildInfo::VersionMinor);
    QCOMPARE(int(HIWORD(fixed->dwFileVersionLS)), BuildInfo::VersionRevision);

    const std::wstring key = (QStringLiteral("\\StringFileInfo\\041104B0\\") + name).toStdWString();
    wchar_t *text = nullptr;
    QVERIFY2(VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void **>(&text), &length) && text,
             qPrintable(name));
    QCOMPARE(QString::fromWCharArray(text), value);
#else
    QSKIP("a program's version information is a Windows resource; elsewhere the version screen is the one place");
#endif
}

QTEST_MAIN(TestVersion)
#include "tst_version.moc"
