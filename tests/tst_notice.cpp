// The notice: its text, its check box, and what it records whenever it closes.

#include "app/frmosirase.h"
#include "support/game.h"
#include "support/scripted.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>
#include <QtTest/QtTest>

class TestNotice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpGame(); }
    void showsTheAnnouncement();
    void boxFollowsStoredFlag_data();
    void boxFollowsStoredFlag();
    void everyCloseRecordsVersionAndBox_data();
    void everyCloseRecordsVersionAndBox();
    void failedWriteIsTold();
};

void TestNotice::showsTheAnnouncement()
{
    const QStringList lines = frmOsirase::NoticeText().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 8);
    QVERIFY(lines[2].isEmpty() && lines[6].isEmpty());
    QVERIFY(!lines[3].isEmpty());
    // The read-me it names ships beside the program.
    QVERIFY(lines[7].contains(QStringLiteral(u"『!読んでね.txt』")));
    QVERIFY(QFileInfo::exists(qEnvironmentVariable("KASHIKORO_BINARY_DIR") + QStringLiteral(u"/bin/!読んでね.txt")));

    TempSettings settings;
    frmOsirase notice;
    auto *text = notice.findChild<QPlainTextEdit *>(QStringLiteral("txtOsirase"));
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->toPlainText().split(QLatin1Char('\n')), lines);

    // Every control lies inside the window, none over another.
    QList<QWidget *> controls;
    for (const char *name : {"Label1", "Frame1", "chkDsp", "lblMemo(0)", "lblMemo(1)", "cmdClose"})
        controls.append(notice.findChild<QWidget *>(QString::fromLatin1(name)));
    for (qsizetype i = 0; i < controls.size(); ++i) {
        QVERIFY2(notice.rect().contains(controls[i]->geometry()), qPrintable(controls[i]->objectName()));
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                     qPrintable(controls[i]->objectName() + QLatin1Char('/') + controls[j]->objectName()));
    }
}

void TestNotice::boxFollowsStoredFlag_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("nothing stored") << QString() << false;
    QTest::newRow("1") << QStringLiteral("1") << true;
    QTest::newRow("0") << QStringLiteral("0") << false;
    QTest::newRow("2") << QStringLiteral("2") << false;
    QTest::newRow("not a number") << QStringLiteral("abc") << false;
    QTest::newRow("1 then text") << QStringLiteral("1x") << false;
    // The flag is read without the white space around it, the full-width
    // space of a hand edit included (quotes keep ASCII blanks in the value).
    QTest::newRow("1 after a full-width space") << QStringLiteral(u"　1") << true;
    QTest::newRow("1 before a full-width space") << QStringLiteral(u"1　") << true;
    QTest::newRow("1 in quotes, blanks around it") << QStringLiteral(u"\"\t1　\"") << true;
    QTest::newRow("0 in quotes, blanks around it") << QStringLiteral("\" 0 \"") << false;
}

void TestNotice::boxFollowsStoredFlag()
{
    QFETCH(QString, stored);
    QFETCH(bool, ticked);

    TempSettings settings;
    if (!stored.isNull())
        WriteSetting(QStringLiteral("osirase"), QStringLiteral("dspFlag"), stored);
    frmOsirase notice;
    notice.show();
    QCOMPARE(notice.findChild<QCheckBox *>(QStringLiteral("chkDsp"))->isChecked(), ticked);
}

void TestNotice::everyCloseRecordsVersionAndBox_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("storedFlag");
    QTest::addColumn<bool>("clickBox");
    QTest::addColumn<QString>("writtenFlag");

    for (const char *way : {"button", "close box", "escape"}) {
        const QString w = QString::fromLatin1(way);
        QTest::addRow("%s, first start, left alone", way) << w << QString() << false << QStringLiteral("0");
        QTest::addRow("%s, first start, ticked", way) << w << QString() << true << QStringLiteral("1");
        QTest::addRow("%s, was ticked, unticked", way) << w << QStringLiteral("1") << true << QStringLiteral("0");
        QTest::addRow("%s, not a number, ticked", way) << w << QStringLiteral("abc") << true << QStringLiteral("1");
    }
}

void TestNotice::everyCloseRecordsVersionAndBox()
{
    QFETCH(QString, way);
    QFETCH(QString, storedFlag);
    QFETCH(bool, clickBox);
    QFETCH(QString, writtenFlag);

    TempSettings settings;
    if (!storedFlag.isNull()) {
        WriteSetting(QStringLiteral("osirase"), QStringLiteral("ver"), QStringLiteral("Ver 1.0.0"));
        WriteSetting(QStringLiteral("osirase"), QStringLiteral("dspFlag"), storedFlag);
    }
    frmOsirase notice;
    notice.show();
    QVERIFY(QTest::qWaitForWindowExposed(&notice));
    if (clickBox)
        QTest::mouseClick(notice.findChild<QCheckBox *>(QStringLiteral("chkDsp")), Qt::LeftButton);

    if (way == QLatin1String("button"))
        QTest::mouseClick(notice.findChild<QPushButton *>(QStringLiteral("cmdClose")), Qt::LeftButton);
    else if (way == QLatin1String("close box"))
        notice.windowHandle()->close();
    else
        QTest::keyClick(&notice, Qt::Key_Escape);

    QTRY_VERIFY(!notice.isVisible());
    // Read back from the file itself.
    const SettingsFile file(settings.path());
    QCOMPARE(file.read(u"osirase", u"ver", u"<none>"), app().AppVersionText);
    QCOMPARE(file.read(u"osirase", u"dspFlag", u"<none>"), writtenFlag);
}

void TestNotice::failedWriteIsTold()
{
    TempSettings settings;
    WriteSetting(QStringLiteral("osirase"), QStringLiteral("dspFlag"), QStringLiteral("0"));
    // No lock can be had beside the file: nothing can be written.
    QVERIFY(QDir().mkdir(settings.path() + QStringLiteral(".lock")));
    ScriptedDialogs dialogs;
    frmOsirase notice;
    notice.show();
    QVERIFY(QTest::qWaitForWindowExposed(&notice));
    QTest::mouseClick(notice.findChild<QCheckBox *>(QStringLiteral("chkDsp")), Qt::LeftButton);
    QTest::mouseClick(notice.findChild<QPushButton *>(QStringLiteral("cmdClose")), Qt::LeftButton);
    QTRY_VERIFY(!notice.isVisible());

    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].kind, QStringLiteral("message"));
    QCOMPARE(dialogs.shown[0].caption, app().AppTitleText);
    QVERIFY(dialogs.shown[0].text.startsWith(QDir::toNativeSeparators(settings.path()) + QStringLiteral(u"に書き込めなかったぴこ。")));
    QVERIFY(dialogs.shown[0].text.contains(QStringLiteral(u"「次回から表示しない。」")));
    QCOMPARE(ReadSetting(QStringLiteral("osirase"), QStringLiteral("dspFlag"), QString()), QStringLiteral("0"));
}

QTEST_MAIN(TestNotice)
#include "tst_notice.moc"
