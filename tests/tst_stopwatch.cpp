// The stopwatch every run is timed by.

#include "run/stopwatch.h"
#include "support/scripted.h"

#include <QtTest>

class TestStopwatch : public QObject
{
    Q_OBJECT

private slots:
    void format_data()
    {
        QTest::addColumn<double>("tenths");
        QTest::addColumn<QString>("shown");
        QTest::newRow("zero") << 0.0 << QStringLiteral("0.0");
        QTest::newRow("first tick") << 1.0 << QStringLiteral("0.1");
        QTest::newRow("under a minute") << 123.0 << QStringLiteral("12.3");
        QTest::newRow("whole seconds keep their decimal") << 1050.0 << QStringLiteral("105.0");
        QTest::newRow("no grouping") << 123456.0 << QStringLiteral("12345.6");
    }
    void format()
    {
        QFETCH(double, tenths);
        QFETCH(QString, shown);
        QCOMPARE(Stopwatch::format(tenths), shown);
    }

    void ticksCountTenths()
    {
        FakeClock clock;
        Stopwatch stopwatch(&clock);
        stopwatch.start();
        for (int i = 0; i < 3; ++i) {
            clock.advance(100);
            stopwatch.tick();
        }
        QCOMPARE(stopwatch.elapsedTenths(), 3.0);
    }

    void earlyTicksStillCountOne()
    {
        // The first tick shows 0.1 even when it comes a little early.
        FakeClock clock;
        Stopwatch stopwatch(&clock);
        stopwatch.start();
        clock.advance(95);
        stopwatch.tick();
        QCOMPARE(stopwatch.elapsedTenths(), 1.0);
    }

    void lateTicksCatchUpWithRealTime()
    {
        // A busy machine delivered one tick after 2.35 s: the run took 2.3 s, not 0.1 s.
        FakeClock clock;
        Stopwatch stopwatch(&clock);
        stopwatch.start();
        clock.advance(2350);
        stopwatch.tick();
        QCOMPARE(stopwatch.elapsedTenths(), 23.0);
        clock.advance(100);
        stopwatch.tick();
        QCOMPARE(stopwatch.elapsedTenths(), 24.0);
    }

    void penaltiesComeOnTop()
    {
        FakeClock clock;
        Stopwatch stopwatch(&clock);
        stopwatch.start();
        clock.advance(1000);
        stopwatch.tick();
        stopwatch.addTenths(50);
        QCOMPARE(stopwatch.elapsedTenths(), 60.0);
        clock.advance(100);
        stopwatch.tick();
        QCOMPARE(stopwatch.elapsedTenths(), 61.0);
    }

    void startZeroes()
    {
        FakeClock clock;
        Stopwatch stopwatch(&clock);
        stopwatch.start();
        clock.advance(700);
        stopwatch.tick();
        stopwatch.addTenths(50);
        stopwatch.start();
        QCOMPARE(stopwatch.elapsedTenths(), 0.0);
        clock.advance(100);
        stopwatch.tick();
        QCOMPARE(stopwatch.elapsedTenths(), 1.0);
    }
};

QTEST_APPLESS_MAIN(TestStopwatch)
#include "tst_stopwatch.moc"
