// The asset tool writes every picture of the game at the size the game shows
// it, named by its index.

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

    static QString toolPath() { return qEnvironmentVariable("KASHIKORO_BINARY_DIR") + QStringLiteral("/bin/kashikoro-assets"); }

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
