// The asset tool writes every picture of the game at the size the game shows
// it, named by its index.

#include "support/programs.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestAssetTool : public QObject
{
    Q_OBJECT

private slots:
    void writesEveryPictureAtItsSize_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("count");
        QTest::addColumn<QSize>("size");
        QTest::newRow("opponent's hands") << QStringLiteral("hands/opponent-*.png") << 3 << QSize(112, 112);
        QTest::newRow("player's hands") << QStringLiteral("hands/player-*.png") << 3 << QSize(53, 53);
        QTest::newRow("coins") << QStringLiteral("coins/slot-*.png") << 28 << QSize(83, 83);
        QTest::newRow("clock") << QStringLiteral("clock/*.png") << 2 << QSize(148, 148);
        QTest::newRow("prefectures") << QStringLiteral("prefectures/*.png") << 47 << QSize(133, 133);
    }
    void writesEveryPictureAtItsSize()
    {
        QFETCH(QString, folder);
        QFETCH(int, count);
        QFETCH(QSize, size);
        const QString output = writtenFolder();
        QVERIFY(!output.isEmpty());
        const QFileInfo pattern(output + QLatin1Char('/') + folder);
        const QFileInfoList files = QDir(pattern.path()).entryInfoList({pattern.fileName()}, QDir::Files, QDir::Name);
        QCOMPARE(files.size(), count);
        for (const QFileInfo &file : files) {
            const QImage image(file.filePath());
            QCOMPARE(image.size(), size);
            // Something is drawn, except on the four blank coin slots.
            const bool blank = file.fileName() < QStringLiteral("slot-04.png") && folder.startsWith(u"coins");
            QVERIFY2(isFlat(image) == blank, qPrintable(file.fileName()));
        }
    }

    // The tool only writes files: it must not ask for a screen, whatever
    // display the session names (or none at all).
    void needsNoDisplay_data()
    {
        QTest::addColumn<QStringList>("unset");
        QTest::addColumn<QStringList>("set");
        QTest::newRow("no display at all")
            << QStringList{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY")}
            << QStringList{};
#ifndef Q_OS_WIN
        // Windows has no X displays (under Wine these would reach Wine's own).
        QTest::newRow("an X display that is not there")
            << QStringList{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("WAYLAND_DISPLAY")}
            << QStringList{QStringLiteral("DISPLAY=:97")};
        QTest::newRow("the session asks for X")
            << QStringList{QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY")}
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=xcb")};
#endif
    }
    void needsNoDisplay()
    {
        QFETCH(QStringList, unset);
        QFETCH(QStringList, set);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &name : unset)
            environment.remove(name);
        for (const QString &assignment : set)
            environment.insert(assignment.section(QLatin1Char('='), 0, 0), assignment.section(QLatin1Char('='), 1));
        QTemporaryDir output;
        QProcess tool;
        tool.setProcessEnvironment(environment);
        tool.start(toolPath(), {output.path()});
        QVERIFY(tool.waitForFinished(60000));
        QVERIFY2(tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0,
                 tool.readAllStandardError().constData());
        QVERIFY(QImage(output.filePath(QStringLiteral("prefectures/46.png"))).size() == QSize(133, 133));
    }

    void badArgumentsAreRefused()
    {
        QProcess tool;
        tool.start(toolPath(), {});
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitCode(), 2);
    }

private:
    static bool isFlat(const QImage &image)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != image.pixel(0, 0))
                    return false;
        return true;
    }

    static QString toolPath() { return builtProgram(QStringLiteral("kashikoro-assets")); }

    // Runs the tool once for all rows.
    QString writtenFolder()
    {
        if (!m_written) {
            m_written = true;
            QProcess tool;
            tool.start(toolPath(), {m_dir.path()});
            if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
                return QString();
            m_ok = true;
        }
        return m_ok ? m_dir.path() : QString();
    }

    QTemporaryDir m_dir;
    bool m_written = false;
    bool m_ok = false;
};

QTEST_GUILESS_MAIN(TestAssetTool)
#include "tst_assettool.moc"
