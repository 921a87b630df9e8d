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

namespace {

constexpr const char *HoldArgument = "--hold-lock";

// The child: takes the lock, says so, and holds it until it is killed.
int holdUntilKilled(const QString &path)
{
    const auto lock = FileLock::acquire(path, QDeadlineTimer(std::chrono::seconds(30)));
    if (!lock)
        return 1;
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return 1;
    out.write("held\n");
    out.flush();
    for (;;)
        QThread::sleep(1);
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
        holder.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(HoldArgument), path});
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

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    // The command line as the system has it, so that a Japanese path survives
    // on Windows too.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String(HoldArgument))
        return holdUntilKilled(arguments[2]);
    TestFileLock test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_filelock.moc"
