// The random draws every question depends on: Int(count x r) within its
// range, and the game's own source uniform and below one.

#include "run/random.h"
#include "support/scripted.h"

#include <QtTest>

#include <cmath>

class TestRandom : public QObject
{
    Q_OBJECT

private slots:
    void drawsStayInRange_data()
    {
        QTest::addColumn<int>("count");
        for (int count : {2, 4, 5, 7, 10, 48, 61})
            QTest::addRow("count %d", count) << count;
    }
    void drawsStayInRange()
    {
        QFETCH(int, count);
        const float largestBelowOne = std::nextafter(1.0f, 0.0f);
        ScriptedRandom random{0.0f, largestBelowOne, ScriptedRandom::forInt(count - 1, count)};
        QCOMPARE(drawInt(random, count), 0);
        QCOMPARE(drawInt(random, count), count - 1);
        QCOMPARE(drawInt(random, count), count - 1);
    }

    void drawsTakeTheWholePart_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("drawn");
        QTest::newRow("a half of 2") << 0.5f << 2 << 1;
        QTest::newRow("just below a half of 2") << std::nextafter(0.5f, 0.0f) << 2 << 0;
        QTest::newRow("0.25 of 4") << 0.25f << 4 << 1;
        QTest::newRow("0.99 of 10") << 0.99f << 10 << 9;
        QTest::newRow("0.1 of 10") << 0.1f << 10 << 1;
    }
    void drawsTakeTheWholePart()
    {
        QFETCH(float, r);
        QFETCH(int, count);
        QFETCH(int, drawn);
        ScriptedRandom random{r};
        QCOMPARE(drawInt(random, count), drawn);
    }

    void systemRandomIsBelowOne()
    {
        SystemRandom random;
        QVector<int> seen(10);
        for (int i = 0; i < 20000; ++i) {
            const float r = random.next();
            QVERIFY(r >= 0.0f && r < 1.0f);
            ++seen[drawInt(random, 10)];
        }
        // Every digit comes up, roughly as often as the others.
        for (int n : seen)
            QVERIFY2(n > 1500 && n < 2500, qPrintable(QString::number(n)));
    }

    void reseedingStartsAnotherSequence()
    {
        // Two runs started one after the other do not see the same questions.
        SystemRandom random;
        QList<float> first, second;
        for (int i = 0; i < 8; ++i)
            first.append(random.next());
        QTest::qSleep(2);
        random.reseed();
        for (int i = 0; i < 8; ++i)
            second.append(random.next());
        QVERIFY(first != second);
    }
};

QTEST_APPLESS_MAIN(TestRandom)
#include "tst_random.moc"
