// The settings file: read like the Windows profile-string functions, write in
// place without touching other lines, never lose the old file, and survive
// whatever a player's disk holds.

#include "exercises/catalogue.h"
#include "settings/appstate.h"
#include "settings/cp932.h"
#include "settings/filelock.h"
#include "settings/settingsfile.h"
#include "support/files.h"
#include "support/users.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <functional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

QByteArray sjis(QStringView text)
{
    return Cp932::encode(text);
}

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

const char WriterArgument[] = "--writer";
const char EndlessWriterArgument[] = "--endless-writer";
const QString RankingTitle = QStringLiteral(u"これは何色？");

// Another process of the game writing: keys prefix0 … prefix(count-1) of
// section "s", one write each.
int writeKeys(const QString &path, const QString &prefix, int count)
{
    SettingsFile settings(path);
    for (int i = 0; i < count; ++i) {
        if (!settings.write(QStringLiteral("s"), prefix + QString::number(i), QString::number(i)))
            return 1;
    }
    return 0;
}

// The hundred places of a ranking, all of round n.
SettingsFile::Entries rankingOfRound(int round)
{
    SettingsFile::Entries ranking;
    for (int place = 1; place <= 100; ++place)
        ranking.append({QString::number(place), QStringLiteral(u"%1.%2　ごんべえ        2026/12/08 09:05").arg(round).arg(place)});
    return ranking;
}

// Rewrites a full ranking over and over until it is killed.
int writeUntilKilled(const QString &path)
{
    SettingsFile settings(path);
    for (int round = 1;; ++round) {
        if (!settings.write(RankingTitle, rankingOfRound(round)))
            return 1;
    }
}

const char PausedWriterArgument[] = "--paused-writer";

// Another process of the game: its first write stops once its new file is in
// place (the lock still held), says so and goes on when told to; then it
// writes a second key.
int writeTwiceWithPause(const QString &path)
{
    FileLock::setMomentHook([](FileLock::Moment moment) {
        static bool paused = false;
        if (moment != FileLock::Moment::FileReplaced || std::exchange(paused, true))
            return;
        std::fputs("replaced\n", stdout);
        std::fflush(stdout);
        char line[16];
        [[maybe_unused]] const bool told = std::fgets(line, sizeof line, stdin) != nullptr;
    });
    SettingsFile settings(path);
    if (!settings.write(QStringLiteral("s"), QStringLiteral("a"), QStringLiteral("1")))
        return 1;
    if (!settings.write(QStringLiteral("s"), QStringLiteral("b"), QStringLiteral("1")))
        return 2;
    return 0;
}

#ifdef Q_OS_UNIX
// Sets the file's modification time to exactly what it was.
bool putTimesBack(const QString &path, const struct stat &before)
{
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}
#endif

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;

    QString freshPath() { return m_dir.filePath(QStringLiteral(u"設定%1.ini").arg(++m_files)); }

    QString legacySample()
    {
        const QString source = qEnvironmentVariable("KASHIKORO_SOURCE_DIR");
        const QString path = source + QStringLiteral("/../shared/samples/legacy-settings.ini");
        return !source.isEmpty() && QFileInfo(path).isFile() ? QFileInfo(path).canonicalFilePath() : QString();
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void readsLikeTheProfileFunctions_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("defaultValue");
        QTest::addColumn<QString>("expected");

        const QString sec = QStringLiteral("s");
        const QString key = QStringLiteral("k");
        const QString def = QStringLiteral("def");

        QTest::newRow("missing file") << false << QByteArray() << sec << key << def << def;
        QTest::newRow("empty file") << true << QByteArray() << sec << key << def << def;
        QTest::newRow("missing section") << true << raw("[t]\r\nk=1\r\n") << sec << key << def << def;
        QTest::newRow("missing key") << true << raw("[s]\r\nj=1\r\n") << sec << key << def << def;
        QTest::newRow("default loses trailing spaces") << false << QByteArray() << sec << key
                                                       << QStringLiteral("  NoData  ") << QStringLiteral("  NoData");
        QTest::newRow("default keeps trailing U+3000") << false << QByteArray() << sec << key
                                                       << QStringLiteral(u"a　") << QStringLiteral(u"a　");
        QTest::newRow("empty default") << false << QByteArray() << sec << key << QString() << QString();
        QTest::newRow("empty value is not the default") << true << raw("[s]\r\nk=\r\n") << sec << key << def << QString();
        QTest::newRow("blank value is empty") << true << raw("[s]\r\nk= \t \r\n") << sec << key << def << QString();
        QTest::newRow("plain value") << true << raw("[s]\r\nk=v\r\n") << sec << key << def << QStringLiteral("v");
        QTest::newRow("value holding '='") << true << raw("[s]\r\nk=a=b\r\n") << sec << key << def << QStringLiteral("a=b");

        QTest::newRow("section in other case") << true << raw("[OsiRase]\r\ndspFlag=1\r\n") << QStringLiteral("osirase")
                                               << QStringLiteral("dspflag") << def << QStringLiteral("1");
        QTest::newRow("key in other case") << true << raw("[osirase]\r\nDSPFLAG=1\r\n") << QStringLiteral("OSIRASE")
                                           << QStringLiteral("dspFlag") << def << QStringLiteral("1");
        QTest::newRow("full-width letters keep their case")
            << true << sjis(u"[ＡＢＣ]\r\nk=1\r\n") << QStringLiteral(u"ａｂｃ") << key << def << def;
        QTest::newRow("section 表 (trail byte '\\')")
            << true << raw("[\x95\x5c]\r\nk=1\r\n") << QStringLiteral(u"表") << key << def << QStringLiteral("1");
        QTest::newRow("key ソ (trail byte '\\')")
            << true << raw("[s]\r\n\x83\x5c=1\r\n") << sec << QStringLiteral(u"ソ") << def << QStringLiteral("1");
        QTest::newRow("section ゾ (trail byte ']')")
            << true << raw("[\x83\x5d]\r\nk=1\r\n") << QStringLiteral(u"ゾ") << key << def << QStringLiteral("1");
        QTest::newRow("section ー (trail byte '[')")
            << true << raw("[\x81\x5b]\r\nk=1\r\n") << QStringLiteral(u"ー") << key << def << QStringLiteral("1");
        QTest::newRow("ゾ is not a byte-wise match for ソ")
            << true << raw("[\x83\x5d]\r\nk=1\r\n") << QStringLiteral(u"ソ") << key << def << def;
        QTest::newRow("header ends at its last ']'")
            << true << raw("[a]b]\r\nk=1\r\n") << QStringLiteral("a]b") << key << def << QStringLiteral("1");
        QTest::newRow("text after the header's ']'")
            << true << raw("[s] ; ranking\r\nk=1\r\n") << sec << key << def << QStringLiteral("1");
        QTest::newRow("empty section name") << true << raw("[]\r\nk=1\r\n") << QString() << key << def << QStringLiteral("1");

        QTest::newRow("blanks around names and value")
            << true << raw(" \t[ s ]\t\r\n\v k \t=\f v w \t\r\n") << sec << key << def << QStringLiteral("v w");
        QTest::newRow("blanks around the asked names")
            << true << raw("[s]\r\nk=1\r\n") << QStringLiteral(" s\t") << QStringLiteral("\tk ") << def << QStringLiteral("1");
        QTest::newRow("U+3000 is kept around a value")
            << true << sjis(u"[s]\r\nk=　62.1　はなこ　\r\n") << sec << key << def << QStringLiteral(u"　62.1　はなこ　");
        QTest::newRow("U+3000 is part of a key") << true << sjis(u"[s]\r\n　k=1\r\n") << sec << key << def << def;

        QTest::newRow("double quotes") << true << raw("[s]\r\nk=\" a \"\r\n") << sec << key << def << QStringLiteral(" a ");
        QTest::newRow("single quotes") << true << raw("[s]\r\nk='a'\r\n") << sec << key << def << QStringLiteral("a");
        QTest::newRow("quotes inside blanks") << true << raw("[s]\r\nk=  \"a\"  \r\n") << sec << key << def << QStringLiteral("a");
        QTest::newRow("mismatched quotes") << true << raw("[s]\r\nk=\"a'\r\n") << sec << key << def << QStringLiteral("\"a'");
        QTest::newRow("one quote") << true << raw("[s]\r\nk=\"\r\n") << sec << key << def << QStringLiteral("\"");
        QTest::newRow("empty quotes") << true << raw("[s]\r\nk=\"\"\r\n") << sec << key << def << QString();
        QTest::newRow("quote inside") << true << raw("[s]\r\nk=a\"b\"\r\n") << sec << key << def << QStringLiteral("a\"b\"");

        QTest::newRow("first of two sections")
            << true << raw("[s]\r\nk=1\r\n[S]\r\nk=2\r\n") << sec << key << def << QStringLiteral("1");
        QTest::newRow("second section does not count")
            << true << raw("[s]\r\nj=1\r\n[s]\r\nk=2\r\n") << sec << key << def << def;
        QTest::newRow("first of two keys") << true << raw("[s]\r\nk=1\r\nK=2\r\n") << sec << key << def << QStringLiteral("1");
        QTest::newRow("first key even when empty") << true << raw("[s]\r\nk=\r\nk=2\r\n") << sec << key << def << QString();
        QTest::newRow("keys before the first header") << true << raw("k=1\r\n[s]\r\n") << sec << key << def << def;
        QTest::newRow("keys before the first header, empty name")
            << true << raw("k=1\r\n[s]\r\n") << QString() << key << def << def;

        QTest::newRow("line without '='") << true << raw("[s]\r\nk\r\n") << sec << key << def << def;
        QTest::newRow("comment") << true << raw("[s]\r\n;k=1\r\n") << sec << key << def << def;
        QTest::newRow("indented comment") << true << raw("[s]\r\n \t;k=1\r\n") << sec << key << def << def;
        QTest::newRow("'#' is no comment")
            << true << raw("[s]\r\n#k=1\r\n") << sec << QStringLiteral("#k") << def << QStringLiteral("1");
        QTest::newRow("';' inside a value")
            << true << raw("[s]\r\nk=a;b\r\n") << sec << key << def << QStringLiteral("a;b");
        QTest::newRow("commented header")
            << true << raw("[t]\r\n;[s]\r\nk=1\r\n") << sec << key << def << def;
        QTest::newRow("'[' without ']' is an entry")
            << true << raw("[s]\r\n[k=1\r\n") << sec << QStringLiteral("[k") << def << QStringLiteral("1");

        QTest::newRow("CR LF") << true << raw("[a]\r\nk=1\r\n[s]\r\nk=2\r\n") << sec << key << def << QStringLiteral("2");
        QTest::newRow("LF only") << true << raw("[a]\nk=1\n[s]\nk=2\n") << sec << key << def << QStringLiteral("2");
        QTest::newRow("CR only") << true << raw("[a]\rk=1\r[s]\rk=2\r") << sec << key << def << QStringLiteral("2");
        QTest::newRow("mixed line ends") << true << raw("[a]\rk=1\n\r\n[s]\n\rk=2") << sec << key << def << QStringLiteral("2");
        QTest::newRow("last line without line end") << true << raw("[s]\r\nk=v") << sec << key << def << QStringLiteral("v");

        QTest::newRow("value up to its NUL") << true << raw("[s]\r\nk=ab\0cd\r\n") << sec << key << def << QStringLiteral("ab");
        QTest::newRow("NUL first") << true << raw("[s]\r\nk=\0cd\r\n") << sec << key << def << QString();
        QTest::newRow("NUL on another line")
            << true << raw("[s]\r\nj=\0\0\r\nk=v\r\n") << sec << key << def << QStringLiteral("v");
        QTest::newRow("default up to its NUL") << false << QByteArray() << sec << key
                                               << QStringLiteral(u"ab\u0000cd") << QStringLiteral("ab");
        QTest::newRow("invalid bytes on other lines")
            << true << raw("[s]\r\n\xff\xfe\x80=x\r\n\x81\r\nk=v\r\n") << sec << key << def << QStringLiteral("v");
        QTest::newRow("invalid bytes in the value")
            << true << raw("[s]\r\nk=a\xff" "b\r\n") << sec << key << def << QStringLiteral(u"a\uFFFDb");
        QTest::newRow("lone lead byte before the line end")
            << true << raw("[s]\r\nk=a\x82\r\nj=2\r\n") << sec << QStringLiteral("j") << def << QStringLiteral("2");
        QTest::newRow("control bytes read as themselves")
            << true << raw("[s]\r\nk=\x1c\x1a\x7f\r\n") << sec << key << def << QStringLiteral(u"\u001C\u001A\u007F");

        // ^Z, the end mark of DOS-era editors, goes like the white space around it.
        QTest::newRow("^Z after a value") << true << raw("[s]\r\nk=v\x1a\r\n") << sec << key << def << QStringLiteral("v");
        QTest::newRow("^Z between blanks after a value")
            << true << raw("[s]\r\nk=v \x1a\t\x1a\r\n") << sec << key << def << QStringLiteral("v");
        QTest::newRow("^Z before a value") << true << raw("[s]\r\nk=\x1a v\r\n") << sec << key << def << QStringLiteral("v");
        QTest::newRow("^Z after a key") << true << raw("[s]\r\nk\x1a =v\r\n") << sec << key << def << QStringLiteral("v");
        QTest::newRow("^Z ending the file") << true << raw("[s]\r\nk=v\x1a") << sec << key << def << QStringLiteral("v");
        QTest::newRow("^Z on a line of its own") << true << raw("[s]\r\nk=v\r\n\x1a") << sec << key << def << QStringLiteral("v");
        QTest::newRow("^Z after a quoted value")
            << true << raw("[s]\r\nk=\" v \"\x1a\r\n") << sec << key << def << QStringLiteral(" v ");
        QTest::newRow("only ^Z is an empty value") << true << raw("[s]\r\nk=\x1a\r\n") << sec << key << def << QString();

        // A default reads as a stored value would.
        QTest::newRow("default in double quotes") << false << QByteArray() << sec << key
                                                  << QStringLiteral("\"NoData\"") << QStringLiteral("NoData");
        QTest::newRow("default in single quotes") << false << QByteArray() << sec << key
                                                  << QStringLiteral("' a '") << QStringLiteral(" a ");
        QTest::newRow("default in quotes, then spaces") << false << QByteArray() << sec << key
                                                        << QStringLiteral("\"a\"  ") << QStringLiteral("a");
        QTest::newRow("default of one quote") << false << QByteArray() << sec << key
                                              << QStringLiteral("\"") << QStringLiteral("\"");
        QTest::newRow("default with mismatched quotes") << false << QByteArray() << sec << key
                                                        << QStringLiteral("\"a'") << QStringLiteral("\"a'");
        QTest::newRow("default in quotes up to its NUL") << false << QByteArray() << sec << key
                                                         << QStringLiteral(u"\"a\"\u0000x\"") << QStringLiteral("a");
    }

    void readsLikeTheProfileFunctions()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, defaultValue);
        QFETCH(QString, expected);

        const QString path = freshPath();
        if (exists)
            QVERIFY(putBytes(path, file));
        SettingsFile settings(path);
        const QString value = settings.read(section, key, defaultValue);
        QCOMPARE(value, expected);
        QCOMPARE(fileBytes(path), file);
        QCOMPARE(QFileInfo::exists(path), exists);
    }

    void exerciseTitlesRoundTrip_data()
    {
        QTest::addColumn<QString>("title");
        for (int n = 1; n <= exerciseCount(); ++n)
            QTest::newRow(qPrintable(QString::number(n))) << exerciseTitles()[n];
    }

    void exerciseTitlesRoundTrip()
    {
        QFETCH(QString, title);
        const QString path = freshPath();
        const QString line = QStringLiteral(u"9.5　") + title + QStringLiteral(u"　2007/09/08 19:05");
        {
            SettingsFile settings(path);
            QVERIFY(settings.write(title, QStringLiteral("1"), line));
            QVERIFY(settings.write(QStringLiteral("titles"), title, title));
        }
        // A fresh object reads the file itself, not what it wrote.
        SettingsFile settings(path);
        QCOMPARE(settings.read(title, QStringLiteral("1"), QStringLiteral("NoData")), line);
        QCOMPARE(settings.read(QStringLiteral("titles"), title, QString()), title);

        const QByteArray bytes = fileBytes(path);
        QVERIFY(bytes.startsWith('[' + sjis(title) + "]\r\n1="));
        if (title.contains(u'～')) {
            QVERIFY(bytes.contains(raw("\x81\x60")));
            QVERIFY(!bytes.contains(raw("\xe3\x80\x9c")));
            QVERIFY(!bytes.contains(raw("\xef\xbd\x9e")));
        }
    }

    void longValuesAreCutWhole_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");

        const QString a = QStringLiteral("a");
        const QString kana = QStringLiteral(u"あ");
        QTest::newRow("511 ASCII bytes whole") << a.repeated(511) << a.repeated(511);
        QTest::newRow("512 ASCII bytes cut to 511") << a.repeated(512) << a.repeated(511);
        QTest::newRow("100 kB cut to 511") << a.repeated(100000) << a.repeated(511);
        QTest::newRow("255 double-byte + 1 = 511 whole") << kana.repeated(255) + a << kana.repeated(255) + a;
        QTest::newRow("1 + 255 double-byte = 511 whole") << a + kana.repeated(255) << a + kana.repeated(255);
        QTest::newRow("256 double-byte = 512: byte 511 splits, cut before")
            << kana.repeated(256) << kana.repeated(255);
        QTest::newRow("1 + 256 double-byte = 513: cut at 511") << a + kana.repeated(256) << a + kana.repeated(255);
        QTest::newRow("510 ASCII + double-byte: cut before it") << a.repeated(510) + kana << a.repeated(510);
        QTest::newRow("half-width katakana count one byte")
            << QStringLiteral(u"ﾊ").repeated(512) << QStringLiteral(u"ﾊ").repeated(511);
        QTest::newRow("ranking line of U+3000") << QStringLiteral(u"　").repeated(300) << QStringLiteral(u"　").repeated(255);
    }

    void longValuesAreCutWhole()
    {
        QFETCH(QString, value);
        QFETCH(QString, expected);

        const QString path = freshPath();
        SettingsFile settings(path);
        QVERIFY(settings.write(QStringLiteral("s"), QStringLiteral("k"), value));
        QCOMPARE(settings.read(u"s", u"k", u"def"), expected);
        QVERIFY(Cp932::byteLength(expected) <= SettingsFile::MaxValueBytes);
        // The file keeps the whole value; only reading cuts it.
        QCOMPARE(fileBytes(path), "[s]\r\nk=" + sjis(value) + "\r\n");
        QCOMPARE(SettingsFile(path).read(u"s", u"k", u"def"), expected);
        // The default is cut the same way.
        QCOMPARE(settings.read(u"s", u"missing", value), expected);
    }

    void writesInPlace_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value"); // null: delete the section
        QTest::addColumn<QByteArray>("after");

        const QString sec = QStringLiteral("s");
        const QString key = QStringLiteral("k");
        const QString value = QStringLiteral("new");

        QTest::newRow("file created") << false << QByteArray() << sec << key << value << raw("[s]\r\nk=new\r\n");
        QTest::newRow("empty file") << true << QByteArray() << sec << key << value << raw("[s]\r\nk=new\r\n");
        QTest::newRow("replace rewrites only its own line")
            << true << raw("\xff\xfe junk\n[s]\nj=1\n  k = \"old\" \nl=3\r[t]\nk=9")
            << sec << key << value << raw("\xff\xfe junk\n[s]\nj=1\nk=new\r\nl=3\r[t]\nk=9");
        QTest::newRow("replace keeps the key's spelling")
            << true << raw("[S]\r\n\tKey = old\r\n") << QStringLiteral("s") << QStringLiteral("KEY") << value
            << raw("[S]\r\nKey=new\r\n");
        QTest::newRow("replace keeps a double-byte key's bytes")
            << true << raw("[s]\r\n\x83\x5c=old\r\n") << sec << QStringLiteral(u"ソ") << QStringLiteral(u"～")
            << raw("[s]\r\n\x83\x5c=\x81\x60\r\n");
        QTest::newRow("replace the last line without line end")
            << true << raw("[s]\r\nk=old") << sec << key << value << raw("[s]\r\nk=new\r\n");
        QTest::newRow("replace the first of two keys")
            << true << raw("[s]\r\nk=1\r\nk=2\r\n") << sec << key << value << raw("[s]\r\nk=new\r\nk=2\r\n");
        QTest::newRow("replace in the first of two sections")
            << true << raw("[s]\r\nk=1\r\n[s]\r\nk=2\r\n") << sec << key << value << raw("[s]\r\nk=new\r\n[s]\r\nk=2\r\n");
        QTest::newRow("new key after the last entry")
            << true << raw("[s]\r\nj=1\r\n; note\r\nl=2\r\n\r\n; next\r\n[t]\r\nx=1\r\n")
            << sec << key << value << raw("[s]\r\nj=1\r\n; note\r\nl=2\r\nk=new\r\n\r\n; next\r\n[t]\r\nx=1\r\n");
        QTest::newRow("new key in a section without entries")
            << true << raw("[s]\n; nothing yet\n\n[t]\nx=1\n") << sec << key << value
            << raw("[s]\nk=new\r\n; nothing yet\n\n[t]\nx=1\n");
        QTest::newRow("new key after an entry without line end")
            << true << raw("[s]\nj=1") << sec << key << value << raw("[s]\nj=1\r\nk=new\r\n");
        QTest::newRow("new key goes to the first of two sections")
            << true << raw("[s]\r\nj=1\r\n[s]\r\n") << sec << key << value << raw("[s]\r\nj=1\r\nk=new\r\n[s]\r\n");
        QTest::newRow("keys before the first header are not the section's")
            << true << raw("k=1\r\n") << QString() << key << value << raw("k=1\r\n[]\r\nk=new\r\n");
        QTest::newRow("new section at the end")
            << true << raw("[t]\nx=1\n\n") << sec << key << value << raw("[t]\nx=1\n\n[s]\r\nk=new\r\n");
        QTest::newRow("new section after a last line without line end")
            << true << raw("[t]\nx=1") << sec << key << value << raw("[t]\nx=1\r\n[s]\r\nk=new\r\n");
        QTest::newRow("new section after a CR-only file")
            << true << raw("[t]\rx=1\r") << sec << key << value << raw("[t]\rx=1\r[s]\r\nk=new\r\n");
        QTest::newRow("value written as is")
            << true << QByteArray() << sec << key << QStringLiteral(u" 　a=b;c ") << ("[s]\r\nk= " + sjis(u"　a=b;c ") + "\r\n");
        QTest::newRow("empty value") << true << raw("[s]\r\nk=1\r\n") << sec << key << QStringLiteral("") << raw("[s]\r\nk=\r\n");

        QTest::newRow("delete section, its comments and all")
            << true << raw("[a]\r\nx=1\r\n[s]\r\nk=1\r\n; goes with it\r\n\r\nnot an entry\r\nK=2\r\n[b]\r\ny=1\r\n")
            << QStringLiteral("S") << QString() << QString() << raw("[a]\r\nx=1\r\n[b]\r\ny=1\r\n");
        QTest::newRow("delete the last section, comments first")
            << true << raw("[a]\nx=1\n; about a\n[s]\n  ; ranking\nk=1\n;end") << sec << QString() << QString()
            << raw("[a]\nx=1\n; about a\n");
        QTest::newRow("delete only the first of two sections")
            << true << raw("[s]\nk=1\n[t]\n[s]\nk=2\n") << sec << QString() << QString() << raw("[t]\n[s]\nk=2\n");
        QTest::newRow("delete a missing section")
            << true << raw("[t]\nk=1") << sec << QString() << QString() << raw("[t]\nk=1");
        QTest::newRow("delete from a missing file") << false << QByteArray() << sec << QString() << QString() << QByteArray();
        QTest::newRow("delete keeps invalid bytes elsewhere")
            << true << raw("[t]\n\x81\x81\xff=\x00\n[s]\nk=1\n[u]\n\x82") << sec << QString() << QString()
            << raw("[t]\n\x81\x81\xff=\x00\n[u]\n\x82");
    }

    void writesInPlace()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        // What reading the key gives afterwards: the value without ASCII blanks around it.
        const QString readBack = value == QStringLiteral(u" 　a=b;c ") ? QStringLiteral(u"　a=b;c") : value;

        const QString path = freshPath();
        if (exists)
            QVERIFY(putBytes(path, before));
        SettingsFile settings(path);
        if (value.isNull()) {
            QVERIFY(settings.deleteSection(section));
        } else {
            QVERIFY(settings.write(section, key, value));
            QCOMPARE(settings.read(section, key, u"def"), readBack);
        }
        QCOMPARE(fileBytes(path), after);
        // What it remembers of its own write is what the file says.
        QCOMPARE(settings.read(section, key, u"def"), SettingsFile(path).read(section, key, u"def"));
        QCOMPARE(settings.read(u"t", u"k", u"def"), SettingsFile(path).read(u"t", u"k", u"def"));
        QCOMPARE(QFileInfo::exists(path), exists || !value.isNull());
        QCOMPARE(folderEntries(QFileInfo(path).path()).filter(QStringLiteral(".ini.")), QStringList());
    }

    void batchWriteEqualsKeyByKey_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<SettingsFile::Entries>("entries");

        SettingsFile::Entries ranking;
        for (int place = 1; place <= 100; ++place)
            ranking.append({QString::number(place), QStringLiteral(u"%1.0　ごんべえ        2026/12/08 09:05").arg(place)});
        SettingsFile::Entries mixed = {{QStringLiteral("2"), QStringLiteral("b")},
                                       {QStringLiteral("new"), QStringLiteral("x")},
                                       {QStringLiteral("NEW"), QStringLiteral("y")},
                                       {QStringLiteral("1"), QStringLiteral("a")},
                                       {QStringLiteral("later"), QStringLiteral("z")}};
        const QByteArray others = raw("[osirase]\r\nver=Ver 9.1.0\n; c\r\n") + sjis(u"[これは何色？]\r\n1=x\r\n");

        const QString title = QStringLiteral(u"ぬけはな～に？");
        const QString s = QStringLiteral("s");
        QTest::newRow("ranking into a missing file") << false << QByteArray() << title << ranking;
        QTest::newRow("ranking into a new section") << true << others << title << ranking;
        QTest::newRow("ranking over a shorter one")
            << true << (sjis(u"[ぬけはな～に？]\r\n1=old\r\n2=old\n; c\n\n") + others) << title << ranking;
        QTest::newRow("mixed keys, section exists")
            << true << raw("[s]\n2=old\n;c\n1=old\r\n\r\n[t]\r\n") + others << s << mixed;
        QTest::newRow("mixed keys, last line without line end") << true << raw("[S]\r\n1=old") << s << mixed;
        QTest::newRow("mixed keys, section without entries") << true << raw("[s]\r\n\r\n[t]\r\nx=1") << s << mixed;
        QTest::newRow("mixed keys, new section") << true << raw("[t]\r\nx=1") << s << mixed;
    }

    void batchWriteEqualsKeyByKey()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(SettingsFile::Entries, entries);

        const QString batchPath = freshPath();
        const QString onePath = freshPath();
        if (exists) {
            QVERIFY(putBytes(batchPath, before));
            QVERIFY(putBytes(onePath, before));
        }
        SettingsFile batch(batchPath);
        QVERIFY(batch.write(section, entries));
        SettingsFile one(onePath);
        for (const auto &[key, value] : entries)
            QVERIFY(one.write(section, key, value));
        QCOMPARE(fileBytes(batchPath), fileBytes(onePath));

        // Each key reads as the last value given for it (names in any case).
        SettingsFile reread(batchPath);
        QStringList seen;
        for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
            if (seen.contains(it->first, Qt::CaseInsensitive))
                continue;
            seen.append(it->first);
            QCOMPARE(reread.read(section, it->first, u"def"), it->second);
        }
        QCOMPARE(reread.read(section, u"old", u"def"), QStringLiteral("def"));
    }

    void refusesWritesThatWouldNotReadBack_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<SettingsFile::Entries>("entries"); // empty: delete the section

        const QString sec = QStringLiteral("s");
        const auto one = [](const QString &key, const QString &value) { return SettingsFile::Entries{{key, value}}; };
        const QString k = QStringLiteral("k");
        const QString v = QStringLiteral("v");

        QTest::newRow("CR LF in a value") << sec << one(k, QStringLiteral("v\r\n[osirase]\r\ndspFlag=0"));
        QTest::newRow("LF in a value") << sec << one(k, QStringLiteral("v\nx=1"));
        QTest::newRow("CR in a value") << sec << one(k, QStringLiteral("v\rx=1"));
        QTest::newRow("NUL in a value") << sec << one(k, QStringLiteral(u"v\u0000w"));
        QTest::newRow("LF in a key") << sec << one(QStringLiteral("k\n[t]"), v);
        QTest::newRow("NUL in a key") << sec << one(QStringLiteral(u"k\u0000"), v);
        QTest::newRow("'=' in a key") << sec << one(QStringLiteral("k=x"), v);
        QTest::newRow("key read as a comment") << sec << one(QStringLiteral(" ;k"), v);
        QTest::newRow("key read as a header") << sec << one(QStringLiteral("[k]"), v);
        QTest::newRow("LF in a section") << QStringLiteral("s]\n[t") << one(k, v);
        QTest::newRow("CR in a section") << QStringLiteral("s\r") << one(k, v);
        QTest::newRow("NUL in a section") << QStringLiteral(u"s\u0000") << one(k, v);
        QTest::newRow("']' in a section") << QStringLiteral("a]b") << one(k, v);
        QTest::newRow("character CP932 lacks, in a value") << sec << one(k, QStringLiteral(u"𠮷野家"));
        QTest::newRow("look-alike character, in a section") << QStringLiteral(u"ぬけはな〜に？") << one(k, v);
        QTest::newRow("one bad entry of many")
            << sec << SettingsFile::Entries{{QStringLiteral("1"), v}, {QStringLiteral("2"), QStringLiteral("a\r\nb")}};
        QTest::newRow("delete: ']' in a section") << QStringLiteral("s]") << SettingsFile::Entries();
        QTest::newRow("delete: LF in a section") << QStringLiteral("s\n") << SettingsFile::Entries();
    }

    void refusesWritesThatWouldNotReadBack()
    {
        QFETCH(QString, section);
        QFETCH(SettingsFile::Entries, entries);

        const QString path = freshPath();
        const QByteArray before = raw("[s]\r\nk=old\r\n[s]\n[t]\r\nk=1");
        QVERIFY(putBytes(path, before));
        SettingsFile settings(path);
        if (entries.isEmpty()) {
            QVERIFY(!settings.deleteSection(section));
        } else {
            QVERIFY(!settings.write(section, entries));
            if (entries.size() == 1)
                QVERIFY(!settings.write(section, entries[0].first, entries[0].second));
        }
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(settings.read(u"s", u"k", u"def"), QStringLiteral("old"));
    }

    void refusedWriteCreatesNoFile()
    {
        const QString path = freshPath();
        SettingsFile settings(path);
        QVERIFY(!settings.write(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("a\nb")));
        QVERIFY(!QFileInfo::exists(path));
    }

    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("settings path is a folder") << QStringLiteral("folder");
        QTest::newRow("folder missing") << QStringLiteral("missing folder");
        QTest::newRow("a file in place of the folder") << QStringLiteral("file as folder");
        QTest::newRow("disk full during the write") << QStringLiteral("full");
    }

    void failedWriteKeepsOldFile()
    {
        QFETCH(QString, how);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray before = sjis(u"[osirase]\r\nver=Ver 9.0.0\r\n[これは何色？]\r\n1=31.4　ごんべえ        2007/09/05 13:15\r\n");
        QString path = dir.filePath(QStringLiteral(u"カシコロ.ini"));
        QString keep = dir.filePath(QStringLiteral("other.ini")); // a file that must survive
        QVERIFY(putBytes(keep, before));

        if (how == QStringLiteral("folder")) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral(u"カシコロ.ini")));
            keep = path + QStringLiteral("/inside.ini");
            QVERIFY(putBytes(keep, before));
        } else if (how == QStringLiteral("missing folder")) {
            path = dir.filePath(QStringLiteral("gone/カシコロ.ini"));
        } else if (how == QStringLiteral("file as folder")) {
            path = keep + QStringLiteral(u"/カシコロ.ini");
        } else {
            QVERIFY(putBytes(path, before));
            keep = path;
        }
        const QStringList entriesBefore = folderEntries(dir.path());

        SettingsFile settings(path);
        const QString read = settings.read(u"osirase", u"ver", u"def");
        bool written = true;
        if (how == QStringLiteral("full")) {
#ifdef Q_OS_UNIX
            // Root may write anywhere; a file size limit still makes the write fail
            // half-way, as a full disk would.
            const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit previous {};
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
            rlimit limited = previous;
            limited.rlim_cur = 4096;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
            written = settings.write(QStringLiteral("osirase"), QStringLiteral("ver"), QStringLiteral("x").repeated(20000));
            setrlimit(RLIMIT_FSIZE, &previous);
            std::signal(SIGXFSZ, previousHandler);
#else
            QSKIP("needs a file size limit");
#endif
            QCOMPARE(read, QStringLiteral("Ver 9.0.0"));
        } else {
            written = settings.write(QStringLiteral("osirase"), QStringLiteral("ver"), QStringLiteral("Ver 9.1.0"));
            QCOMPARE(read, QStringLiteral("def"));
            QVERIFY(!settings.write(QStringLiteral("s"), SettingsFile::Entries{{QStringLiteral("1"), QStringLiteral("a")}}));
        }
        QVERIFY(!written);
        QCOMPARE(fileBytes(keep), before);
        QCOMPARE(folderEntries(dir.path()), entriesBefore); // no temporary file left behind
        QCOMPARE(settings.read(u"osirase", u"ver", u"def"), read);
        if (how == QStringLiteral("folder")) {
            QVERIFY(!settings.deleteSection(QStringLiteral("osirase")));
            QVERIFY(QFileInfo(path).isDir());
            QCOMPARE(folderEntries(path), QStringList{QStringLiteral("inside.ini")});
        }
    }

    void legacySampleReads_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        QTest::newRow("notice version") << QStringLiteral("osirase") << QStringLiteral("ver") << QStringLiteral("Ver 9.0.0");
        QTest::newRow("notice flag") << QStringLiteral("osirase") << QStringLiteral("dspFlag") << QStringLiteral("1");
        QTest::newRow("dated line")
            << QStringLiteral(u"これは何色？") << QStringLiteral("1") << QStringLiteral(u"31.4　ごんべえ        2007/09/05 13:15");
        QTest::newRow("ASCII name")
            << QStringLiteral(u"これは何色？") << QStringLiteral("3") << QStringLiteral(u"35.0　ABC             2007/09/06 21:47");
        QTest::newRow("half-width katakana name")
            << QStringLiteral(u"これは何色？") << QStringLiteral("4") << QStringLiteral(u"48.9　ﾊﾅｺ             2007/09/07 07:30");
        QTest::newRow("past the last place") << QStringLiteral(u"これは何色？") << QStringLiteral("5") << QStringLiteral("NoData");
        QTest::newRow("undated line")
            << QStringLiteral(u"ながいのど～れ？") << QStringLiteral("2") << QStringLiteral(u"70.4　じろう");
        QTest::newRow("title with ～")
            << QStringLiteral(u"ぬけはな～に？") << QStringLiteral("1") << QStringLiteral(u"9.5　さぶろう        2007/09/08 19:05");
        QTest::newRow("full-width name of 16 bytes")
            << QStringLiteral(u"●●●たたき") << QStringLiteral("1") << QStringLiteral(u"44.7　１２３４５６７８2007/09/09 12:00");
        QTest::newRow("exercise never played") << QStringLiteral(u"あみだくじ") << QStringLiteral("1") << QStringLiteral("NoData");
    }

    void legacySampleReads()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);

        const QString sample = legacySample();
        if (sample.isEmpty())
            QSKIP("the legacy settings sample is not beside the source tree");
        const QString path = freshPath();
        QVERIFY(QFile::copy(sample, path));
        SettingsFile settings(path);
        QCOMPARE(settings.read(section, key, u"NoData"), expected);
        QCOMPARE(fileBytes(path), fileBytes(sample));
    }

    void legacySampleWriteKeepsOtherSections()
    {
        const QString sample = legacySample();
        if (sample.isEmpty())
            QSKIP("the legacy settings sample is not beside the source tree");
        const QByteArray original = fileBytes(sample);
        const QByteArray header = sjis(u"[ぬけはな～に？]\r\n");
        const QByteArray nextHeader = sjis(u"[●●●たたき]\r\n");
        const qsizetype start = original.indexOf(header);
        const qsizetype end = original.indexOf(nextHeader);
        QVERIFY(start > 0 && end > start);

        // A rank-in rewrites the exercise's places; every other byte stays.
        const QString path = freshPath();
        QVERIFY(QFile::copy(sample, path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        SettingsFile settings(path);
        const SettingsFile::Entries ranking = {
            {QStringLiteral("1"), QStringLiteral(u"8.0　しんき          2026/12/08 09:05")},
            {QStringLiteral("2"), settings.read(u"ぬけはな～に？", u"1", u"NoData")},
            {QStringLiteral("3"), settings.read(u"ぬけはな～に？", u"2", u"NoData")},
        };
        QVERIFY(settings.write(QStringLiteral(u"ぬけはな～に？"), ranking));
        const QByteArray after = fileBytes(path);
        QByteArray expected = header;
        for (const auto &[key, value] : ranking)
            expected += key.toLatin1() + '=' + sjis(value) + "\r\n";
        QCOMPARE(after, original.left(start) + expected + original.mid(end));
        QCOMPARE(SettingsFile(path).read(u"ぬけはな～に？", u"3", u"NoData"), ranking[2].second);

        // Clearing the ranking removes just that section.
        QVERIFY(settings.deleteSection(QStringLiteral(u"ぬけはな～に？")));
        QCOMPARE(fileBytes(path), original.left(start) + original.mid(end));
        // A new section goes to the end.
        QVERIFY(settings.write(QStringLiteral(u"あみだくじ"), QStringLiteral("1"), QStringLiteral(u"20.0　a")));
        QCOMPARE(fileBytes(path), original.left(start) + original.mid(end) + sjis(u"[あみだくじ]\r\n1=20.0　a\r\n"));
    }

    void badFilesDoNotCrash_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected"); // value of [s] k

        QByteArray noise(64 * 1024, Qt::Uninitialized);
        QRandomGenerator random(932);
        for (char &byte : noise)
            byte = static_cast<char>(random.bounded(256));
        noise.replace('[', 'x'); // the noise must not open its own sections
        QTest::newRow("random bytes") << noise + "\r\n[s]\r\nk=v\r\n" << QStringLiteral("v");
        QTest::newRow("random bytes after the key") << raw("[s]\r\nk=v\r\n") + noise << QStringLiteral("v");
        QTest::newRow("NULs everywhere") << raw("\0\0\0\r\n[s\0]\r\n[s]\r\n\0k=1\r\nk=v\0w\0\r\n\0") << QStringLiteral("v");
        QTest::newRow("only NULs") << QByteArray(4096, '\0') << QStringLiteral("def");
        QTest::newRow("100 kB line") << raw("[s]\r\nj=") + QByteArray(100 * 1024, '\x82') + "\r\nk=v" << QStringLiteral("v");
        QTest::newRow("100 kB header") << "[" + QByteArray(100 * 1024, ']') + "\r\n[s]\r\nk=v" << QStringLiteral("v");
        QTest::newRow("100 kB of lead bytes in the value")
            << raw("[s]\r\nk=") + QByteArray(100 * 1024, '\x81') << QStringLiteral(u"＝").repeated(255);
        QByteArray large;
        for (int i = 0; large.size() < 6 * 1024 * 1024; ++i)
            large += "[r" + QByteArray::number(i % 977) + "]\r\n" + QByteArray::number(i) + '=' + sjis(u"12.3　ごんべえ        2007/09/05 13:15") + "\r\n";
        QTest::newRow("several MB") << large + "[s]\r\nk=v\r\n" << QStringLiteral("v");
        QTest::newRow("lone lead byte at the end") << raw("[s]\r\nk=v\r\n\x81") << QStringLiteral("v");
        QTest::newRow("lone lead byte before the line end") << raw("[s]\r\nk=v\x81\r\n") << QStringLiteral(u"v\uFFFD");
    }

    void badFilesDoNotCrash()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);

        const QString path = freshPath();
        QVERIFY(putBytes(path, file));
        SettingsFile settings(path);
        QCOMPARE(settings.read(u"s", u"k", u"def"), expected);
        QVERIFY(!settings.contents().isEmpty());

        // Writing elsewhere keeps every byte of the bad file.
        QVERIFY(settings.write(QStringLiteral(u"新しい"), QStringLiteral("k"), QStringLiteral("1")));
        QByteArray before = file;
        if (!before.endsWith('\n') && !before.endsWith('\r'))
            before += "\r\n";
        QCOMPARE(fileBytes(path), before + sjis(u"[新しい]\r\nk=1\r\n"));
    }

    void folderAsFile()
    {
        const QString path = freshPath();
        QVERIFY(QDir().mkdir(path));
        SettingsFile settings(path);
        QCOMPARE(settings.read(u"s", u"k", u"def"), QStringLiteral("def"));
        QCOMPARE(settings.contents(), QString());
        QVERIFY(!settings.canRead());
        QVERIFY(!settings.write(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")));
        QVERIFY(!settings.deleteSection(QStringLiteral("s")));
        QVERIFY(QFileInfo(path).isDir());
    }

    void cacheNoticesChangesBehindItsBack()
    {
        const QString path = freshPath();
        SettingsFile settings(path);
        QCOMPARE(settings.read(u"s", u"k", u"def"), QStringLiteral("def"));

        // Created behind its back.
        QVERIFY(putBytes(path, raw("[s]\r\nk=1\r\n")));
        QCOMPARE(settings.read(u"s", u"k", u"def"), QStringLiteral("1"));

        // Changed by another writer, size and all.
        SettingsFile other(path);
        QVERIFY(other.write(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("22")));
        QCOMPARE(settings.read(u"s", u"k", u"def"), QStringLiteral("22"));

        // Same size, only the time differs.
        const QDateTime stamp = QFileInfo(path).lastModified();
        QVERIFY(putBytes(path, raw("[s]\r\nk=33\r\n")));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(stamp.addSecs(2), QFileDevice::FileModificationTime));
        }
        QCOMPARE(settings.read(u"s", u"k", u"def"), QStringLiteral("33"));

        // A write keeps what the other writer added.
        QVERIFY(putBytes(path, raw("[s]\r\nk=4\r\nadded=yes\r\n")));
        QVERIFY(settings.write(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("5")));
        QCOMPARE(fileBytes(path), raw("[s]\r\nk=5\r\nadded=yes\r\n"));

        // Removed behind its back.
        QVERIFY(QFile::remove(path));
        QCOMPARE(settings.read(u"s", u"k", u"def"), QStringLiteral("def"));
        QVERIFY(!settings.canRead());
    }

    void sameSizeSameTimeReplaceIsNoticed_data()
    {
        QTest::addColumn<bool>("byRename");
        QTest::newRow("a backup put back with its time (cp -p)") << true;
        QTest::newRow("overwritten in place, time set back") << false;
    }

    void sameSizeSameTimeReplaceIsNoticed()
    {
#ifdef Q_OS_UNIX
        QFETCH(bool, byRename);
        const QString path = freshPath();
        const QByteArray first = raw("[s]\r\nk=1\r\nj=x\r\n");
        const QByteArray second = raw("[s]\r\nk=2\r\nj=y\r\n");
        QVERIFY(putBytes(path, first));
        SettingsFile settings(path);
        QCOMPARE(settings.read(u"s", u"k", u"def"), QStringLiteral("1"));

        struct stat before;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
        if (byRename) {
            const QString backup = path + QStringLiteral(".bak");
            QVERIFY(putBytes(backup, second));
            QVERIFY(putTimesBack(backup, before));
            QCOMPARE(::rename(QFile::encodeName(backup).constData(), QFile::encodeName(path).constData()), 0);
        } else {
            QVERIFY(putBytes(path, second));
            QVERIFY(putTimesBack(path, before));
        }
        struct stat after;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
        QCOMPARE(after.st_size, before.st_size);
        QCOMPARE(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
        QCOMPARE(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);

        QCOMPARE(settings.read(u"s", u"k", u"def"), QStringLiteral("2"));
        // The next write builds on the new content, never on the old.
        QVERIFY(settings.write(QStringLiteral("t"), QStringLiteral("x"), QStringLiteral("1")));
        QCOMPARE(fileBytes(path), second + "[t]\r\nx=1\r\n");
#else
        QSKIP("needs POSIX file times");
#endif
    }

    void changeMadeWhileAWriteEndsIsKept_data()
    {
        QTest::addColumn<bool>("sameSizeAndTime");
        QTest::newRow("same size, time set back") << true;
        QTest::newRow("a longer value") << false;
    }

    void changeMadeWhileAWriteEndsIsKept()
    {
#ifdef Q_OS_UNIX
        // Another program (an editor saving in place) changes the file just as
        // a writer of the game has put its new file in place: the file the
        // writer knows is not what the file holds, though the stamp it takes
        // next says nothing changed. Its next write must build on the file.
        QFETCH(bool, sameSizeAndTime);
        const QString path = freshPath();
        QVERIFY(putBytes(path, raw("[s]\r\nk=1\r\n")));
        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(PausedWriterArgument), path});
        QVERIFY(writer.waitForStarted());
        QVERIFY(writer.waitForReadyRead(30000));
        QCOMPARE(writer.readLine(), QByteArray("replaced\n"));
        QCOMPARE(fileBytes(path), raw("[s]\r\nk=1\r\na=1\r\n"));

        struct stat before;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
        const QByteArray changed = sameSizeAndTime ? raw("[s]\r\nk=2\r\na=1\r\n") : raw("[s]\r\nk=22\r\na=1\r\n");
        QVERIFY(putBytes(path, changed));
        if (sameSizeAndTime) {
            QVERIFY(putTimesBack(path, before));
            struct stat after;
            QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
            QCOMPARE(after.st_ino, before.st_ino);
            QCOMPARE(after.st_size, before.st_size);
            QCOMPARE(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
        }

        writer.write("go\n");
        QVERIFY(writer.waitForFinished(30000));
        QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
        QCOMPARE(writer.exitCode(), 0);
        QCOMPARE(fileBytes(path), changed + "b=1\r\n");
#else
        QSKIP("needs POSIX file times");
#endif
    }

    void asciiCaseFoldingEnds_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("same");
        QTest::newRow("A and a") << QStringLiteral("A") << QStringLiteral("a") << true;
        QTest::newRow("Z and z") << QStringLiteral("Z") << QStringLiteral("z") << true;
        QTest::newRow("a and A") << QStringLiteral("a") << QStringLiteral("A") << true;
        QTest::newRow("z and Z") << QStringLiteral("z") << QStringLiteral("Z") << true;
        QTest::newRow("@ before A is not `") << QStringLiteral("@") << QStringLiteral("`") << false;
        QTest::newRow("` before a is not @") << QStringLiteral("`") << QStringLiteral("@") << false;
        QTest::newRow("[ after Z is not {") << QStringLiteral("[") << QStringLiteral("{") << false;
        QTest::newRow("{ after z is not [") << QStringLiteral("{") << QStringLiteral("[") << false;
        QTest::newRow("full-width Ａ is not ａ") << QStringLiteral(u"Ａ") << QStringLiteral(u"ａ") << false;
    }

    void asciiCaseFoldingEnds()
    {
        QFETCH(QString, stored);
        QFETCH(QString, asked);
        QFETCH(bool, same);

        const QString path = freshPath();
        const QString section = QStringLiteral("sec") + stored;
        const QString key = QStringLiteral("key") + stored;
        QVERIFY(putBytes(path, '[' + sjis(section) + "]\r\n" + sjis(key) + "=1\r\n"));
        SettingsFile settings(path);
        const QString expected = same ? QStringLiteral("1") : QStringLiteral("def");
        QCOMPARE(settings.read(QStringLiteral("sec") + asked, key, u"def"), expected);
        QCOMPARE(settings.read(section, QStringLiteral("key") + asked, u"def"), expected);

        // A write by the other spelling replaces the value, or adds its own.
        QVERIFY(settings.write(QStringLiteral("sec") + asked, QStringLiteral("key") + asked, QStringLiteral("2")));
        SettingsFile reread(path);
        QCOMPARE(reread.read(section, key, u"def"), same ? QStringLiteral("2") : QStringLiteral("1"));
        QCOMPARE(fileBytes(path).count("]\r\n"), same ? 1 : 2); // section headers
    }

    void rawValuesMoveByteForByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("NEC row 13 (87 90, not 81 E0)") << raw("9.5\x81\x40\x87\x90\x87\x90   2007/09/05 13:15");
        QTest::newRow("NEC-selected IBM (ED 40, not FA 5C)") << raw("9.5\x81\x40\xed\x40\xed\x40");
        QTest::newRow("a byte no character has") << raw("9.5\x81\x40\x82\xa0\xfd");
        QTest::newRow("a NUL inside") << raw("9.5\x81\x40" "ab\0cd");
        QTest::newRow("longer than 511 bytes") << "9.5" + raw("\x81\x40") + QByteArray(600, 'x');
        QTest::newRow("quotes kept") << raw("\"9.5\x81\x40\x82\xa0 \"");
        QTest::newRow("trail byte 7E") << raw("9.5\x81\x40\x81\x7e");
    }

    void rawValuesMoveByteForByte()
    {
        QFETCH(QByteArray, bytes);
        const QString path = freshPath();
        const QByteArray before = "[s]\r\n1= " + bytes + "\x1a \r\n[t]\r\nk=1\r\n";
        QVERIFY(putBytes(path, before));
        SettingsFile settings(path);
        const auto value = settings.rawValue(u"S", u"1");
        QVERIFY(value.has_value());
        QCOMPARE(*value, bytes);
        QVERIFY(!settings.rawValue(u"s", u"2").has_value());
        QVERIFY(!settings.rawValue(u"u", u"1").has_value());

        QVERIFY(settings.writeRaw(QStringLiteral("s"), {{QStringLiteral("2"), *value}}));
        QCOMPARE(fileBytes(path), "[s]\r\n1= " + bytes + "\x1a \r\n2=" + bytes + "\r\n[t]\r\nk=1\r\n");
        QCOMPARE(SettingsFile(path).read(u"s", u"2", u"def"), settings.read(u"s", u"1", u"def"));
        QCOMPARE(*SettingsFile(path).rawValue(u"s", u"2"), bytes);
    }

    void rawWriteRefusesLineBreaks()
    {
        const QString path = freshPath();
        const QByteArray before = raw("[s]\r\nk=1\r\n");
        QVERIFY(putBytes(path, before));
        SettingsFile settings(path);
        QVERIFY(!settings.writeRaw(QStringLiteral("s"), {{QStringLiteral("j"), raw("a\r\n[t]")}}));
        QVERIFY(!settings.writeRaw(QStringLiteral("s"), {{QStringLiteral("j"), raw("a\nb")}}));
        QVERIFY(!settings.writeRaw(QStringLiteral("s"), {{QStringLiteral("j=x"), raw("a")}}));
        QCOMPARE(fileBytes(path), before);
    }

    void fileThePlayerCannotWriteIsLeftAlone_data()
    {
        QTest::addColumn<bool>("anotherUsers");
        QTest::newRow("read-only (0444)") << false;
        QTest::newRow("another user's (0644)") << true;
    }

    void fileThePlayerCannotWriteIsLeftAlone()
    {
#ifdef Q_OS_UNIX
        QFETCH(bool, anotherUsers);
        if (anotherUsers && !runsAsRoot())
            QSKIP("needs a file of another user");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // The folder can be written: only the file's own mode stands in the way.
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)));
        const QString path = dir.filePath(QStringLiteral(u"カシコロ.ini"));
        const QByteArray before = sjis(u"[これは何色？]\r\n1=31.4　ごんべえ        2007/09/05 13:15\r\n");
        QVERIFY(putBytes(path, before));
        QVERIFY(QFile::setPermissions(path, anotherUsers ? QFileDevice::Permissions(0x6444) : QFileDevice::Permissions(0x4444)));

        const auto attempt = [&]() -> int {
            SettingsFile settings(path);
            if (settings.read(u"これは何色？", u"1", u"def") == QStringLiteral("def"))
                return 1;
            if (settings.write(QStringLiteral("osirase"), QStringLiteral("dspFlag"), QStringLiteral("1")))
                return 2;
            if (settings.deleteSection(QStringLiteral(u"これは何色？")))
                return 3;
            return 0;
        };
        QCOMPARE(runsAsRoot() ? asNobody(attempt) : attempt(), 0);
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(folderEntries(dir.path()), QStringList{QStringLiteral(u"カシコロ.ini")});
#else
        QSKIP("needs POSIX file modes");
#endif
    }

    void replaceKeepsOwnerAndMode()
    {
#ifdef Q_OS_UNIX
        const QString path = freshPath();
        QVERIFY(putBytes(path, raw("[s]\r\nk=1\r\n")));
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions(0x6640)));
        const QByteArray native = QFile::encodeName(path);
        // A settings tool run with sudo replaces the player's file.
        const uid_t owner = runsAsRoot() ? Nobody : ::geteuid();
        const gid_t group = runsAsRoot() ? Nobody : ::getegid();
        QCOMPARE(::chown(native.constData(), owner, group), 0);

        SettingsFile settings(path);
        QVERIFY(settings.write(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("2")));
        struct stat after;
        QCOMPARE(::stat(native.constData(), &after), 0);
        QCOMPARE(after.st_uid, owner);
        QCOMPARE(after.st_gid, group);
        QCOMPARE(after.st_mode & 07777, mode_t(0640));
        QCOMPARE(fileBytes(path), raw("[s]\r\nk=2\r\n"));
#else
        QSKIP("needs POSIX owners");
#endif
    }

    void linkedFileIsWrittenWhereItPoints_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("a link") << QStringLiteral("link");
        QTest::newRow("a link relative to its folder") << QStringLiteral("relative");
        QTest::newRow("a link to a link") << QStringLiteral("chain");
    }

    void linkedFileIsWrittenWhereItPoints()
    {
        SKIP_WITHOUT_SYMBOLIC_LINKS();
#ifdef Q_OS_UNIX
        QFETCH(QString, how);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("real")));
        const QString real = dir.filePath(QStringLiteral(u"real/カシコロ.ini"));
        QVERIFY(putBytes(real, raw("[s]\r\nk=1\r\n")));
        const QString path = dir.filePath(QStringLiteral(u"設定.ini"));
        const QString middle = dir.filePath(QStringLiteral("middle.ini"));
        if (how == QStringLiteral("link")) {
            QVERIFY(QFile::link(real, path));
        } else if (how == QStringLiteral("relative")) {
            QCOMPARE(::symlink(QFile::encodeName(QStringLiteral(u"real/カシコロ.ini")).constData(),
                               QFile::encodeName(path).constData()), 0);
        } else {
            QVERIFY(QFile::link(real, middle));
            QVERIFY(QFile::link(middle, path));
        }
        const QStringList before = folderEntries(dir.path());

        SettingsFile settings(path);
        QVERIFY(settings.write(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("2")));
        QVERIFY(settings.write(QStringLiteral("t"), QStringLiteral("j"), QStringLiteral("3")));
        // Written where the links lead; every link still a link, leading where it did.
        QCOMPARE(fileBytes(real), raw("[s]\r\nk=2\r\n[t]\r\nj=3\r\n"));
        QVERIFY(QFileInfo(path).isSymLink());
        if (how == QStringLiteral("chain")) {
            QVERIFY(QFileInfo(middle).isSymLink());
            QCOMPARE(QFile::symLinkTarget(middle), real);
        }
        QCOMPARE(QFileInfo(path).canonicalFilePath(), QFileInfo(real).canonicalFilePath());
        QCOMPARE(SettingsFile(path).read(u"s", u"k", u"def"), QStringLiteral("2"));
        QCOMPARE(settings.read(u"t", u"j", u"def"), QStringLiteral("3"));
        QCOMPARE(folderEntries(dir.path()), before);
        QCOMPARE(folderEntries(dir.filePath(QStringLiteral("real"))), QStringList{QStringLiteral(u"カシコロ.ini")});
        QVERIFY(settings.deleteSection(QStringLiteral("t")));
        QCOMPARE(fileBytes(real), raw("[s]\r\nk=2\r\n"));
        QVERIFY(QFileInfo(path).isSymLink());
#else
        QSKIP("needs POSIX links");
#endif
    }

    void linkThatLeadsNowhereIsRefused_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("a link to itself") << QStringLiteral("self");
        QTest::newRow("two links in a loop") << QStringLiteral("loop");
        QTest::newRow("a link to nothing") << QStringLiteral("dangling");
        QTest::newRow("a chain of links to nothing") << QStringLiteral("chain");
    }

    void linkThatLeadsNowhereIsRefused()
    {
        SKIP_WITHOUT_SYMBOLIC_LINKS();
#ifdef Q_OS_UNIX
        QFETCH(QString, how);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral(u"カシコロ.ini"));
        const QString other = dir.filePath(QStringLiteral("a.ini"));
        const QString gone = dir.filePath(QStringLiteral("gone.ini"));
        const QHash<QString, QStringList> links = {
            {QStringLiteral("self"), {path, path}},
            {QStringLiteral("loop"), {path, other, other, path}},
            {QStringLiteral("dangling"), {path, gone}},
            {QStringLiteral("chain"), {path, other, other, gone}},
        };
        const QStringList pairs = links.value(how);
        for (qsizetype i = 0; i < pairs.size(); i += 2)
            QCOMPARE(::symlink(QFile::encodeName(pairs[i + 1]).constData(), QFile::encodeName(pairs[i]).constData()), 0);
        const QStringList before = folderEntries(dir.path());

        SettingsFile settings(path);
        QCOMPARE(settings.read(u"s", u"k", u"def"), QStringLiteral("def"));
        QVERIFY(!settings.canRead());
        QVERIFY(settings.isBroken());
        QVERIFY(!settings.write(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("1")));
        QCOMPARE(settings.lastFailure(), SettingsFile::Failure::Broken);
        QVERIFY(!settings.writeRaw(QStringLiteral("s"), {{QStringLiteral("k"), raw("1")}}));
        QCOMPARE(settings.lastFailure(), SettingsFile::Failure::Broken);
        QVERIFY(!settings.deleteSection(QStringLiteral("s")));
        QCOMPARE(settings.lastFailure(), SettingsFile::Failure::Broken);
        // Every link as it was, leading where it did; nothing made.
        QCOMPARE(folderEntries(dir.path()), before);
        for (qsizetype i = 0; i < pairs.size(); i += 2) {
            char target[4096];
            const ssize_t length = ::readlink(QFile::encodeName(pairs[i]).constData(), target, sizeof target);
            QVERIFY(length > 0);
            QCOMPARE(QFile::decodeName(QByteArray(target, length)), pairs[i + 1]);
        }
        QVERIFY(!QFileInfo::exists(gone));
#else
        QSKIP("needs POSIX links");
#endif
    }

    void writersWaitForTheLock()
    {
        const QString path = freshPath();
        const QString lockFile = path + QStringLiteral(".lock");
        SettingsFile first(path);
        SettingsFile second(path);
        second.setLockWait(std::chrono::milliseconds(300));
        {
            const SettingsFile::Lock held = first.lock();
            QVERIFY(held);
            QVERIFY(QFileInfo::exists(lockFile));
            // The holder writes without waiting for itself, several times over.
            QVERIFY(first.write(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("1")));
            QVERIFY(first.deleteSection(QStringLiteral("t")));
            // Everybody else waits, then gives up without writing.
            QElapsedTimer waited;
            waited.start();
            QVERIFY(!second.write(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("2")));
            QVERIFY(!second.deleteSection(QStringLiteral("s")));
            QVERIFY(waited.elapsed() >= 500);
            QCOMPARE(second.read(u"s", u"k", u"def"), QStringLiteral("1"));
        }
        QVERIFY(!QFileInfo::exists(lockFile));
        QVERIFY(second.write(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("2")));
        QCOMPARE(first.read(u"s", u"k", u"def"), QStringLiteral("2"));

        // What a killed writer left behind holds nobody up.
        QVERIFY(putBytes(lockFile, QByteArray()));
        QVERIFY(second.write(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("3")));
        QVERIFY(!QFileInfo::exists(lockFile));
        QCOMPARE(fileBytes(path), raw("[s]\r\nk=3\r\n"));
    }

    void twoWritersLoseNothing()
    {
        // Two processes of the game writing at once, each key after key.
        const QString path = freshPath();
        constexpr int Count = 120;
        QProcess writers[2];
        const QString prefixes[2] = {QStringLiteral("a"), QStringLiteral("b")};
        for (int i = 0; i < 2; ++i)
            writers[i].start(QCoreApplication::applicationFilePath(),
                             {QString::fromLatin1(WriterArgument), path, prefixes[i], QString::number(Count)});
        for (QProcess &writer : writers) {
            QVERIFY(writer.waitForFinished(120000));
            QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
            QCOMPARE(writer.exitCode(), 0);
        }
        SettingsFile settings(path);
        int lost = 0;
        for (const QString &prefix : prefixes) {
            for (int i = 0; i < Count; ++i)
                lost += settings.read(u"s", prefix + QString::number(i), u"lost") != QString::number(i);
        }
        QCOMPARE(lost, 0);
        QCOMPARE(folderEntries(m_dir.path()).filter(QFileInfo(path).fileName() + QLatin1Char('.')), QStringList());
    }

    void killedWritersLeaveWholeFiles()
    {
        const QString path = freshPath();
        QVERIFY(SettingsFile(path).write(RankingTitle, rankingOfRound(0)));
        QRandomGenerator random(1000);
        for (int kill = 0; kill < 20; ++kill) {
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(EndlessWriterArgument), path});
            QVERIFY(writer.waitForStarted());
            QThread::msleep(20 + random.bounded(40));
            writer.kill();
            QVERIFY(writer.waitForFinished());

            // Every place there, all of one round: never a torn or mixed file.
            SettingsFile settings(path);
            const QString first = settings.read(RankingTitle, u"1", u"NoData");
            const QString round = first.left(first.indexOf(u'.'));
            for (int place = 1; place <= 100; ++place) {
                QCOMPARE(settings.read(RankingTitle, QString::number(place), u"NoData"),
                         QStringLiteral(u"%1.%2　ごんべえ        2026/12/08 09:05").arg(round).arg(place));
            }
        }
        // No lock of the dead holds up the next write.
        SettingsFile settings(path);
        settings.setLockWait(std::chrono::milliseconds(500));
        QVERIFY(settings.write(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")));

        // Whatever temporary files the kills left go once they are a minute old.
        const QString name = QFileInfo(path).fileName();
        const QStringList left = folderEntries(m_dir.path()).filter(name + QStringLiteral(".writing-"));
        for (const QString &file : left) {
            QFile temporary(m_dir.filePath(file));
            QVERIFY(temporary.open(QIODevice::ReadWrite));
            QVERIFY(temporary.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
        }
        QCOMPARE(SettingsFile::removeStaleTemporaryFiles(path), int(left.size()));
        QCOMPARE(folderEntries(m_dir.path()).filter(name + QLatin1Char('.')), QStringList());
    }

    void staleTemporaryFilesAreRemoved()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral(u"カシコロ.ini"));
        QVERIFY(putBytes(path, raw("[s]\r\nk=1\r\n")));
        const QStringList old = {
            QStringLiteral(u"カシコロ.ini.writing-Ab3dE9"), // the only stale temporary file
            QStringLiteral(u"カシコロ.ini.backup"),
            QStringLiteral(u"カシコロ.ini.writing-Ab3dE"),
            QStringLiteral(u"カシコロ.ini.writing-Ab3dE9x"),
            QStringLiteral(u"カシコロ.ini.writing-Ab3-E9"),
            QStringLiteral(u"カシコロ.ini.lock"),
            QStringLiteral(u"カシコロ.ini.writing-ab3de9.ini"),
            QStringLiteral(u"other.ini.writing-Ab3dE9"),
            QStringLiteral(u"xカシコロ.ini.writing-Ab3dE9"),
        };
        const QString young = QStringLiteral(u"カシコロ.ini.writing-Xy7wQ2");
        for (const QString &name : old + QStringList{young})
            QVERIFY(putBytes(dir.filePath(name), raw("[s]\r\nk=0\r\n")));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral(u"カシコロ.ini.writing-Fold3r")));
        for (const QString &name : old + QStringList{QStringLiteral(u"カシコロ.ini.writing-Fold3r")}) {
            QFile file(dir.filePath(name));
            QVERIFY(QFileInfo(file).isDir() || file.open(QIODevice::ReadWrite));
            if (file.isOpen())
                QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-61), QFileDevice::FileModificationTime));
        }

        QStringList expected = folderEntries(dir.path());
        expected.removeOne(old[0]);
        QCOMPARE(SettingsFile::removeStaleTemporaryFiles(path), 1);
        QCOMPARE(folderEntries(dir.path()), expected);
        QCOMPARE(fileBytes(path), raw("[s]\r\nk=1\r\n"));
        // A minute later the young one goes too.
        QCOMPARE(SettingsFile::removeStaleTemporaryFiles(path, std::chrono::seconds(-60)), 1);
        QVERIFY(!QFileInfo::exists(dir.filePath(young)));
    }

    void contentsDecodesWholeFile()
    {
        const QString path = freshPath();
        SettingsFile settings(path);
        QCOMPARE(settings.contents(), QString());
        QVERIFY(putBytes(path, raw("[\x82\xca\x82\xaf\x82\xcd\x82\xc8\x81\x60\x82\xc9\x81\x48]\r\n1=9.5\x81\x40\xca\xc5\xba\n;x\r")));
        QVERIFY(settings.canRead());
        QCOMPARE(settings.contents(), QStringLiteral(u"[ぬけはな～に？]\r\n1=9.5　ﾊﾅｺ\n;x\r"));
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    // The arguments as the system passed them: a Japanese path survives them
    // on Windows too, where the 8-bit ones are in the local code page.
    const QStringList arguments = QCoreApplication::arguments();
    if (argc == 5 && qstrcmp(argv[1], WriterArgument) == 0)
        return writeKeys(arguments[2], arguments[3], arguments[4].toInt());
    if (argc == 3 && qstrcmp(argv[1], PausedWriterArgument) == 0)
        return writeTwiceWithPause(arguments[2]);
    if (argc == 3 && qstrcmp(argv[1], EndlessWriterArgument) == 0)
        return writeUntilKilled(arguments[2]);
    TestSettingsFile test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsfile.moc"
