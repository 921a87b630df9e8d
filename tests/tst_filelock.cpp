// The lock beside the settings file: one holder at a time within a process
// and across processes, let go when its holder ends however it ends, and
// never a wait for a lock that cannot be had.

#include "settings/filelock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "support/lockholder.h"
#include "support/users.h"

#include <cstdio>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr const char *PausedTakerArgument = "--take-after-pause";

// The child: its first try stops with the lock file open, says so and goes
// on once told to; then it says whether it got the lock within ms.
int takeAfterPause(const QString &path, int ms)
{
    FileLock::setMomentHook([](FileLock::Moment moment) {
        static bool paused = false;
        if (moment != FileLock::Moment::LockFileOpened || std::exchange(paused, true))
            return;
        std::fputs("opened\n", stdout);
        std::fflush(stdout);
        char line[16];
        [[maybe_unused]] const bool told = std::fgets(line, sizeof line, stdin) != nullptr;
    });
    FileLock::Outcome outcome = FileLock::Outcome::Failed;
    const auto lock = FileLock::acquire(path, QDeadlineTimer(ms), &outcome);
    std::fputs(lock ? "held\n" : outcome == FileLock::Outcome::TimedOut ? "timed out\n" : "failed\n", stdout);
    return 0;
}

[[maybe_unused]] QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

} // namespace

class TestFileLock : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void oneHolderAtATime_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("plain") << QString();
        // Where a player unpacks the game: Japanese and spaces in the path.
        QTest::newRow("Japanese and spaces") << QStringLiteral(u"たろう の デスクトップ/カシコロ 9");
    }

    void oneHolderAtATime()
    {
        QFETCH(QString, folder);
        QVERIFY(QDir(m_dir->path()).mkpath(folder.isEmpty() ? QStringLiteral(".") : folder));
        const QString path = QDir(m_dir->filePath(folder)).filePath(QStringLiteral(u"カシコロ.ini.lock"));
        {
            const auto first = FileLock::acquire(path, QDeadlineTimer(0));
            QVERIFY(first);
            QVERIFY(QFileInfo::exists(path));
            QCOMPARE(first->path(), path);

            // A second holder in the same process waits out its time, then gives up.
            QElapsedTimer waited;
            waited.start();
            QVERIFY(!FileLock::acquire(path, QDeadlineTimer(300)));
            QVERIFY(waited.elapsed() >= 290);
        }
        // Let go and removed; the next one gets it at once.
        QVERIFY(!QFileInfo::exists(path));
        const auto next = FileLock::acquire(path, QDeadlineTimer(0));
        QVERIFY(next);
    }

    void aWaiterGetsTheLockWhenItIsLetGo()
    {
        const QString path = m_dir->filePath(QStringLiteral("s.ini.lock"));
        auto first = FileLock::acquire(path, QDeadlineTimer(0));
        QVERIFY(first);
        QTimer::singleShot(200, this, [&first] { first.reset(); });
        std::unique_ptr<FileLock> second;
        QElapsedTimer waited;
        waited.start();
        // The timer fires between the waiter's tries: it runs on this thread.
        while (!second && waited.elapsed() < 5000) {
            second = FileLock::acquire(path, QDeadlineTimer(20));
            QCoreApplication::processEvents();
        }
        QVERIFY(second);
        QVERIFY(!first);
        QVERIFY(QFileInfo::exists(path));
    }

    void aFileLeftBehindHoldsNobodyUp()
    {
        const QString path = m_dir->filePath(QStringLiteral("s.ini.lock"));
        QFile left(path);
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.close();
        {
            const auto lock = FileLock::acquire(path, QDeadlineTimer(0));
            QVERIFY(lock);
        }
        QVERIFY(!QFileInfo::exists(path));
    }

    void aKilledHolderLetsGo()
    {
        const QString path = m_dir->filePath(QStringLiteral(u"カシコロ.ini.lock"));
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(HoldLockArgument), path, QStringLiteral("0")});
        QVERIFY(holder.waitForStarted());
        QVERIFY(holder.waitForReadyRead(30000));
        // A line as the system ends it (CR LF on Windows).
        QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));

        // Held by the other process: not to be had here.
        QVERIFY(!FileLock::acquire(path, QDeadlineTimer(100)));

        holder.kill();
        QVERIFY(holder.waitForFinished());
        // The system lets go of a dead process's lock; its file stays, harmless.
        const auto lock = FileLock::acquire(path, QDeadlineTimer(5000));
        QVERIFY(lock);
    }

    void noWaitWhenNoLockCanBeMade_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("a folder where the file would be") << QStringLiteral("folder");
        QTest::newRow("a folder that is not there") << QStringLiteral("missing");
    }

    void noWaitWhenNoLockCanBeMade()
    {
        QFETCH(QString, what);
        QString path = m_dir->filePath(QStringLiteral("s.ini.lock"));
        if (what == QStringLiteral("folder"))
            QVERIFY(QDir().mkdir(path));
        else
            path = m_dir->filePath(QStringLiteral("gone/s.ini.lock"));
        QElapsedTimer waited;
        waited.start();
        QVERIFY(!FileLock::acquire(path, QDeadlineTimer(5000)));
        QVERIFY(waited.elapsed() < 4000);
    }

    void aWaiterNeverHoldsAFileItsHolderRemoved()
    {
        // The waiter opens the lock file; before it locks it, the holder lets
        // go (removing the file) and somebody else takes the lock on a new one.
        const QString path = m_dir->filePath(QStringLiteral(u"カシコロ.ini.lock"));
        auto first = FileLock::acquire(path, QDeadlineTimer(0));
        QVERIFY(first);
        QProcess waiter;
        waiter.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(PausedTakerArgument), path,
                                                               QStringLiteral("500")});
        QVERIFY(waiter.waitForStarted());
        QVERIFY(waiter.waitForReadyRead(30000));
        QCOMPARE(waiter.readLine().trimmed(), QByteArray("opened"));

        first.reset();
        const auto second = FileLock::acquire(path, QDeadlineTimer(0));
        QVERIFY(second);
        waiter.write("go\n");
        QVERIFY(waiter.waitForFinished(30000));
        // The lock the waiter got on the removed file is no lock at all: it
        // waits for the new holder like everyone else.
        QCOMPARE(waiter.readAllStandardOutput().trimmed(), QByteArray("timed out"));
        QVERIFY(QFileInfo::exists(path));
    }

    void anUnopenableLockFileOutlivesNoHolder_data()
    {
        QTest::addColumn<bool>("held");
        QTest::newRow("left by a killed holder") << false;
        QTest::newRow("its holder still has it") << true;
    }

    void anUnopenableLockFileOutlivesNoHolder()
    {
#ifdef Q_OS_LINUX
        QFETCH(bool, held);
        // The folder can be written by the player; the lock file cannot be
        // opened: root's of mode 0600 (a settings tool run with sudo and
        // killed), or, run as a plain user, the player's own of mode 000.
        QVERIFY(QFile::setPermissions(m_dir->path(), QFileDevice::Permissions(0x7777)));
        const QString path = m_dir->filePath(QStringLiteral(u"カシコロ.ini.lock"));
        const QByteArray name = QFile::encodeName(path);
        const int holder = ::open(name.constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
        QVERIFY(holder >= 0);
        if (held)
            QCOMPARE(::flock(holder, LOCK_EX | LOCK_NB), 0);
        QCOMPARE(::fchmod(holder, runsAsRoot() ? 0600 : 0), 0);
        struct stat left;
        QCOMPARE(::fstat(holder, &left), 0);
        const int opens = asPlayer([&name] {
            const int handle = ::open(name.constData(), O_RDONLY);
            return handle >= 0 ? 1 : errno == EACCES ? 0 : 2;
        });
        if (opens == 1) {
            ::close(holder);
            QSKIP("this user opens files whatever their mode (CAP_DAC_OVERRIDE without being root)");
        }
        QCOMPARE(opens, 0);

        const auto attempt = [&path, &name, &left](int waitMs) {
            return asPlayer([&, waitMs]() -> int {
                FileLock::Outcome outcome = FileLock::Outcome::Failed;
                const auto lock = FileLock::acquire(path, QDeadlineTimer(waitMs), &outcome);
                if (!lock)
                    return outcome == FileLock::Outcome::TimedOut ? 10 : 11;
                // Held on a new lock file of this user's, in the old one's place.
                struct stat now;
                if (::stat(name.constData(), &now) != 0 || now.st_ino == left.st_ino || now.st_uid != ::geteuid())
                    return 12;
                return 0;
            });
        };
        QCOMPARE(attempt(held ? 300 : 10000), held ? 10 : 0);
        if (held) {
            // Its holder's file is where it was, untouched.
            struct stat now;
            QCOMPARE(::stat(name.constData(), &now), 0);
            QCOMPARE(now.st_ino, left.st_ino);
            QCOMPARE(folderEntries(m_dir->path()), QStringList{QFileInfo(path).fileName()});
            // Let go (its holder was killed): the next writer gets through.
            QCOMPARE(::flock(holder, LOCK_UN), 0);
            QCOMPARE(attempt(10000), 0);
        }
        ::close(holder);
        // Nothing left beside it: no old lock file put aside, no new one.
        QCOMPARE(folderEntries(m_dir->path()), QStringList());
#else
        QSKIP("needs the system's list of locks");
#endif
    }

    void aHolderThatComesMeanwhileKeepsTheLock()
    {
#ifdef Q_OS_LINUX
        // Nobody holds the lock file the player cannot open; just then, before
        // the player's try puts it aside, one who can open it takes the lock.
        QVERIFY(QFile::setPermissions(m_dir->path(), QFileDevice::Permissions(0x7777)));
        const QString path = m_dir->filePath(QStringLiteral(u"カシコロ.ini.lock"));
        const QByteArray name = QFile::encodeName(path);
        const int holder = ::open(name.constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
        QVERIFY(holder >= 0);
        QCOMPARE(::fchmod(holder, runsAsRoot() ? 0600 : 0), 0);
        struct stat left;
        QCOMPARE(::fstat(holder, &left), 0);
        static int comesMeanwhile = -1;
        comesMeanwhile = holder;
        FileLock::setMomentHook([](FileLock::Moment moment) {
            if (moment == FileLock::Moment::StaleLockFound && comesMeanwhile >= 0)
                ::flock(std::exchange(comesMeanwhile, -1), LOCK_EX | LOCK_NB);
        });
        const int outcome = asPlayer([&path] {
            FileLock::Outcome how = FileLock::Outcome::Failed;
            const auto lock = FileLock::acquire(path, QDeadlineTimer(300), &how);
            return lock ? 0 : how == FileLock::Outcome::TimedOut ? 10 : 11;
        });
        FileLock::setMomentHook(nullptr);
        // The one that came first keeps it, under its own name.
        QCOMPARE(outcome, 10);
        struct stat now;
        QCOMPARE(::stat(name.constData(), &now), 0);
        QCOMPARE(now.st_ino, left.st_ino);
        QCOMPARE(folderEntries(m_dir->path()), QStringList{QFileInfo(path).fileName()});
        ::close(holder);
#else
        QSKIP("needs the system's list of locks");
#endif
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    // The command line as the system has it, so that a Japanese path survives
    // on Windows too.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments[1] == QLatin1String(HoldLockArgument))
        return holdLock(arguments[2], arguments[3].toInt());
    if (arguments.size() == 4 && arguments[1] == QLatin1String(PausedTakerArgument))
        return takeAfterPause(arguments[2], arguments[3].toInt());
    TestFileLock test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_filelock.moc"
