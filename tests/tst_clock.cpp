// いま、なんじ？ — the times and their draws, where the hands go, the clock
// as the player sees it, the judge of typed times, the sample clock, and a
// whole run through the real window.

#include "exercises/12_clock/clockface.h"
#include "exercises/12_clock/clockpicture.h"
#include "exercises/12_clock/clocktime.h"
#include "exercises/12_clock/frmtrainer12.h"
#include "support/trainerfixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <cmath>
#include <numbers>

using Clock::Hands;

namespace {

const QString Title = QStringLiteral(u"いま、なんじ？");
const QString Gozen = QStringLiteral(u"午前");
const QString Gogo = QStringLiteral(u"午後");
const float LargestR = std::nextafter(1.0f, 0.0f);

// One time as the window draws it: half, hour, minute.
void scriptTime(ScriptedRandom &random, int half, int hour, int minute)
{
    random.pushInt(half, 2);
    random.pushInt(hour, 12);
    random.pushInt(minute / 5, 12);
}

bool isRed(QColor c)
{
    return c.red() > 200 && c.green() < 80 && c.blue() < 80;
}
bool isBlue(QColor c)
{
    return c.blue() > 200 && c.red() < 80 && c.green() < 80;
}
bool isGreen(QColor c)
{
    return c.green() > 200 && c.red() < 80 && c.blue() < 80;
}
bool isDark(QColor c)
{
    return qGray(c.rgb()) < 96;
}

// Dark pixels of image inside box.
int darkPixels(const QImage &image, const QRect &box)
{
    int count = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            count += isDark(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

// The pixel a point lies in.
QPoint pixelAt(QPointF p)
{
    return QPoint(int(std::floor(p.x())), int(std::floor(p.y())));
}

// The point at distance along a hand from the centre.
QPoint along(const Hands &hands, int angle, double distance)
{
    const double theta = angle * std::numbers::pi / 180;
    return QPoint(int(std::lround(hands.centre.x() + distance * std::cos(theta))),
                  int(std::lround(hands.centre.y() + distance * std::sin(theta))));
}

} // namespace

Q_DECLARE_METATYPE(Hands)

class TestClock : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<frmTrainer12> fx;

    QLineEdit *answerBox() { return fx.control<QLineEdit>(QStringLiteral("txtAns")); }
    ClockPicture *clock() { return fx.control<ClockPicture>(QStringLiteral("picBase")); }
    QString mark() { return fx.text("lblResult"); }

    // The time as a player reads it off the window: 午前 or 午後 and the hands.
    int readAnswer()
    {
        const Hands hands = clock()->hands();
        const int minute = (hands.minuteAngle + 90) / 6;
        const int hour = (hands.hourAngle + 90) / 30; // the hour hand is short of the next hour
        const int half = fx.text("lblAMPM") == Gogo ? 1 : 0;
        return (half * 12 + hour) * 100 + minute;
    }
    // The clock as drawn, inner area only (the face's own pixels).
    QImage clockPicture()
    {
        const QImage whole = clock()->grab().toImage().scaled(clock()->size());
        return whole.copy(clock()->contentsRect());
    }

private slots:
    void init()
    {
        QVERIFY(fx.open(12));
    }
    void cleanup() { fx.close(); }

    // --- The times ---------------------------------------------------------

    void drawTime_data()
    {
        QTest::addColumn<QList<float>>("script");
        QTest::addColumn<int>("previous");
        QTest::addColumn<QString>("half");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("answer");
        QTest::newRow("r = 0: 午前 0:00") << QList<float>{0.0f, 0.0f, 0.0f} << 1840 << Gozen << 0 << 0 << 0;
        QTest::newRow("the largest r below 1: 午後 11:55")
            << QList<float>{LargestR, LargestR, LargestR} << 1840 << Gogo << 11 << 55 << 2355;
        QTest::newRow("午後 12:30 is hour 0")
            << QList<float>{0.75f, 0.0f, 0.5f} << 1840 << Gogo << 0 << 30 << 1230;
        QTest::newRow("午前 3:05") << QList<float>{0.25f, ScriptedRandom::forInt(3, 12), ScriptedRandom::forInt(1, 12)}
                                   << 1840 << Gozen << 3 << 5 << 305;
        QTest::newRow("the sample time first is drawn again")
            << QList<float>{0.75f, ScriptedRandom::forInt(6, 12), ScriptedRandom::forInt(8, 12), 0.25f,
                            ScriptedRandom::forInt(6, 12), ScriptedRandom::forInt(8, 12)}
            << 1840 << Gozen << 6 << 40 << 640;
        QTest::newRow("all three are drawn again, not only the one that clashed")
            << QList<float>{0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, ScriptedRandom::forInt(1, 12)} << 0
            << Gozen << 0 << 5 << 5;
    }
    void drawTime()
    {
        QFETCH(QList<float>, script);
        QFETCH(int, previous);
        QFETCH(QString, half);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(int, answer);
        ScriptedRandom source;
        for (float r : script)
            source.push(r);
        Clock::Times times(previous);
        const Clock::Time time = times.draw(source);
        QCOMPARE(time.halfCaption(), half);
        QCOMPARE(time.hour, hour);
        QCOMPARE(time.minute, minute);
        QCOMPARE(time.answer(), answer);
        QCOMPARE(times.PreviousClockAnswer(), answer);
        QCOMPARE(source.remaining(), 0);
    }

    void seededTimes()
    {
        ScriptedRandom source;
        source.pushSeeded(12, 40000);
        Clock::Times times;
        QCOMPARE(times.PreviousClockAnswer(), Clock::SampleAnswer);
        QSet<int> seen;
        int afternoon = 0;
        for (int i = 0; i < 10000; ++i) {
            const int previous = times.PreviousClockAnswer();
            const Clock::Time t = times.draw(source);
            QVERIFY(t.half == 0 || t.half == 1);
            QVERIFY(t.hour >= 0 && t.hour <= 11);
            QVERIFY(t.minute >= 0 && t.minute <= 55 && t.minute % 5 == 0);
            QVERIFY(t.answer() != previous);
            QCOMPARE(times.PreviousClockAnswer(), t.answer());
            if (t.half == 0)
                QVERIFY(t.answer() >= 0 && t.answer() <= 1155);
            else
                QVERIFY(t.answer() >= 1200 && t.answer() <= 2355);
            afternoon += t.half;
            seen.insert(t.answer());
        }
        // Every one of the 288 times comes up; 午前 and 午後 about equally often.
        QCOMPARE(seen.size(), 288);
        QVERIFY(afternoon > 4500 && afternoon < 5500);
    }

    void judge_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("right");
        QTest::newRow("0305 for 3:05 午前") << QStringLiteral("0305") << 305 << true;
        QTest::newRow("305 for 3:05 午前") << QStringLiteral("305") << 305 << true;
        QTest::newRow("1840 for 6:40 午後") << QStringLiteral("1840") << 1840 << true;
        QTest::newRow("0640 for 6:40 午後") << QStringLiteral("0640") << 1840 << false;
        QTest::newRow("1840 for 6:40 午前") << QStringLiteral("1840") << 640 << false;
        QTest::newRow("640 for 6:40 午前") << QStringLiteral("640") << 640 << true;
        QTest::newRow("0000 for 0:00 午前") << QStringLiteral("0000") << 0 << true;
        QTest::newRow("000 for 0:00 午前") << QStringLiteral("000") << 0 << true;
        QTest::newRow("0 for 0:00 午前") << QStringLiteral("0") << 0 << true;
        QTest::newRow("1230 for 12:30 午後") << QStringLiteral("1230") << 1230 << true;
        QTest::newRow("0030 for 12:30 午後") << QStringLiteral("0030") << 1230 << false;
        QTest::newRow("an empty box") << QString() << 0 << false;
        QTest::newRow("not a number") << QStringLiteral("3:05") << 305 << false;
    }
    void judge()
    {
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(bool, right);
        QCOMPARE(Clock::isRightAnswer(typed, answer), right);
    }

    // --- The hands ---------------------------------------------------------

    void nearInt_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("nearest");
        QTest::newRow("2.5 to even 2") << 2.5 << 2;
        QTest::newRow("7.5 to even 8") << 7.5 << 8;
        QTest::newRow("-2.5 to even -2") << -2.5 << -2;
        QTest::newRow("-87.5 to even -88 (0:05)") << -87.5 << -88;
        QTest::newRow("33.92") << 33.9167 << 34;
        QTest::newRow("-0.4") << -0.4 << 0;
    }
    void nearInt()
    {
        QFETCH(double, x);
        QFETCH(int, nearest);
        QCOMPARE(Clock::nearInt(x), nearest);
    }

    void hands_data()
    {
        // On the 148-pixel face: centre (74, 74), rad 37, the minute hand 40.08
        // and the hour hand 30.83 pixels long.
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("minuteAngle");
        QTest::addColumn<int>("hourAngle");
        QTest::addColumn<QPoint>("minuteEnd");
        QTest::addColumn<QPoint>("hourEnd");
        QTest::newRow("0:00: both at the 12") << 0 << 0 << -90 << -90 << QPoint(74, 34) << QPoint(74, 43);
        QTest::newRow("12:30 午後: hour 15 degrees past the 12") << 0 << 30 << 90 << -75 << QPoint(74, 114)
                                                                 << QPoint(82, 44);
        QTest::newRow("3:05: 2.5 degrees drawn as 2") << 3 << 5 << -60 << 2 << QPoint(94, 39) << QPoint(105, 75);
        QTest::newRow("3:15: 7.5 degrees drawn as 8") << 3 << 15 << 0 << 8 << QPoint(114, 74) << QPoint(105, 78);
        QTest::newRow("6:40, the sample") << 6 << 40 << 150 << 110 << QPoint(39, 94) << QPoint(63, 103);
    }
    void hands()
    {
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(int, minuteAngle);
        QFETCH(int, hourAngle);
        QFETCH(QPoint, minuteEnd);
        QFETCH(QPoint, hourEnd);
        const Hands hands = Clock::handsFor(hour, minute, QSize(148, 148));
        QCOMPARE(hands.centre, QPoint(74, 74));
        QCOMPARE(hands.rad, 37);
        QCOMPARE(hands.minuteAngle, minuteAngle);
        QCOMPARE(hands.hourAngle, hourAngle);
        QCOMPARE(hands.minuteEnd, minuteEnd);
        QCOMPARE(hands.hourEnd, hourEnd);
    }

    // --- The clock on screen -------------------------------------------------

    void opensShowingTheSample()
    {
        QCOMPARE(fx.window->windowTitle(), Title);
        QCOMPARE(fx.instructionLines(),
                 fx.withCommonLines({QStringLiteral(u"●時計の時刻を入力するんだぴこ。"),
                                     QStringLiteral(u"　午前３時５分だったら「0305」って入力してね。"),
                                     QStringLiteral(u"　午前の時は「0000～1155」の範囲で、"),
                                     QStringLiteral(u"　午後の時は「1200～2355」で入力してね。")}));
        QVERIFY(fx.showsIdle("txtAns"));
        QCOMPARE(fx.text("lblAMPM"), Gogo);
        QCOMPARE(clock()->hands(), Clock::handsFor(6, 40, QSize(148, 148)));
        QCOMPARE(answerBox()->text(), QStringLiteral("1840"));
        QCOMPARE(answerBox()->maxLength(), 4);

        // The face fills the picture box inside its one-pixel border.
        QCOMPARE(clock()->geometry(), QRect(144, 172, 150, 150));
        QCOMPARE(clock()->innerSize(), QSize(148, 148));
        QCOMPARE(fx.label("lblAMPM")->geometry(), QRect(88, 196, 49, 25));
        QVERIFY(fx.label("lblAMPM")->font().bold());
        QCOMPARE(answerBox()->geometry(), QRect(196, 332, 61, 25));
        // All eight instruction lines are shown, above the marks.
        const QLabel *exp = fx.label("lblExp");
        QVERIFY(exp->sizeHint().height() <= exp->height());
        QVERIFY(exp->geometry().bottom() < fx.label("lblResult")->y());
        QVERIFY(fx.label("lblProbCnt")->geometry().bottom() < clock()->y());
    }

    void handsAreDrawnWhereTheyBelong()
    {
        // 午前 3:15: the minute hand straight to the 3, the hour hand 8 degrees below it.
        scriptTime(fx.random, 0, 3, 15);
        fx.clickStart();
        QCOMPARE(fx.text("lblAMPM"), Gozen);
        const Hands hands = clock()->hands();
        QCOMPARE(hands, Clock::handsFor(3, 15, QSize(148, 148)));

        for (int pass = 0; pass < 2; ++pass) {
            // Every repaint draws the hands again, not only the first.
            const QImage picture = clockPicture();
            QVERIFY(isGreen(picture.pixelColor(hands.centre)));
            // Past the end of the hour hand, which lies over it nearer the centre.
            for (int d : {32, 35, 38})
                QVERIFY(isBlue(picture.pixelColor(hands.centre + QPoint(d, 0))));
            QVERIFY(!isBlue(picture.pixelColor(hands.centre + QPoint(35, -1))));
            QVERIFY(!isBlue(picture.pixelColor(hands.centre + QPoint(35, 1))));
            for (int d : {8, 16, 24, 29})
                QVERIFY(isRed(picture.pixelColor(along(hands, hands.hourAngle, d))));
            // Nothing of the hands towards the 9, the 12 or the 6.
            for (const QPoint &away : {QPoint(-20, 0), QPoint(0, -20), QPoint(0, 20)})
                QCOMPARE(picture.pixelColor(hands.centre + away), QColor(Qt::white));
            clock()->repaint();
        }

        // The next question takes the old hands away.
        scriptTime(fx.random, 1, 0, 0);
        fx.type("txtAns", QStringLiteral("315"));
        QCOMPARE(mark(), QStringLiteral(u"○"));
        QCOMPARE(fx.text("lblAMPM"), Gogo);
        const QImage picture = clockPicture();
        QCOMPARE(picture.pixelColor(hands.centre + QPoint(30, 0)), QColor(Qt::white));
        QVERIFY(isRed(picture.pixelColor(hands.centre + QPoint(0, -20))));
        QVERIFY(isBlue(picture.pixelColor(hands.centre + QPoint(0, -38))));
    }

    void theFace()
    {
        const QImage face = ClockFace::image(0, 0);
        QCOMPARE(face.size(), QSize(148, 148));
        // The rim, black all round, and white inside and outside it.
        const QPointF centre(74.5, 74.5);
        for (int n = 0; n < 12; ++n) {
            const double theta = (n * 30 + 15) * std::numbers::pi / 180;
            const QPoint onRim = pixelAt(centre + 71 * QPointF(std::cos(theta), std::sin(theta)));
            QVERIFY(isDark(face.pixelColor(onRim)));
        }
        QCOMPARE(face.pixelColor(1, 1), QColor(Qt::white));
        QCOMPARE(face.pixelColor(100, 60), QColor(Qt::white));
        // A dot at every hour, and a numeral outside it.
        for (int n = 1; n <= 12; ++n) {
            const double theta = (n * 30 - 90) * std::numbers::pi / 180;
            const QPointF way(std::cos(theta), std::sin(theta));
            QVERIFY2(isDark(face.pixelColor(pixelAt(centre + 46 * way))), qPrintable(QString::number(n)));
            const QPoint numeral = pixelAt(centre + 58 * way);
            QVERIFY2(darkPixels(face, QRect(numeral - QPoint(6, 6), QSize(13, 13))) >= 10,
                     qPrintable(QString::number(n)));
        }
        // The window draws the same face.
        const QImage shown = clockPicture().convertToFormat(face.format());
        QCOMPARE(shown, ClockFace::image(6, 40));
    }

    void theClockIsCrispWhenScaled()
    {
        // Twice the size: the one-pixel minute hand of 3:15 is two whole rows
        // of device pixels, with nothing smeared above or below.
        const QImage big = ClockFace::image(3, 15, 2.0);
        QCOMPARE(big.size(), QSize(296, 296));
        for (int x : {216, 222, 226}) {
            QVERIFY(isBlue(big.pixelColor(x, 148)));
            QVERIFY(isBlue(big.pixelColor(x, 149)));
            QCOMPARE(big.pixelColor(x, 147), QColor(Qt::white));
            QCOMPARE(big.pixelColor(x, 150), QColor(Qt::white));
        }
        QVERIFY(isGreen(big.pixelColor(149, 149)));
    }

    void theSampleComesBackAfterTheRanking()
    {
        scriptTime(fx.random, 0, 9, 50);
        fx.clickStart();
        QCOMPARE(fx.random.remaining(), 0);
        const Hands question = Clock::handsFor(9, 50, QSize(148, 148));
        QCOMPARE(clock()->hands(), question);
        QVERIFY(answerBox()->text().isEmpty());
        QCOMPARE(fx.window->focusWidget(), answerBox());

        // The window coming to the front never swaps a question for the sample.
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(fx.window.get(), &activate);
        fx.window->Form_Activate();
        QCOMPARE(clock()->hands(), question);
        QCOMPARE(fx.text("lblAMPM"), Gozen);
        QVERIFY(answerBox()->text().isEmpty());

        // Stopped: the last clock and what was typed stay.
        fx.type("txtAns", QStringLiteral("95"), false);
        fx.clickStart();
        QVERIFY(fx.showsIdle("txtAns"));
        QCOMPARE(clock()->hands(), question);
        QCOMPARE(answerBox()->text(), QStringLiteral("95"));

        // Back from the ranking screen: 午後 6:40 and "1840".
        bool closed = false;
        QTimer::singleShot(0, [&closed] {
            if (QWidget *ranking = QApplication::activeModalWidget()) {
                closed = ranking->objectName() == QStringLiteral("frmRank");
                ranking->close();
            }
        });
        fx.click(fx.button("cmdRank"));
        QVERIFY(closed);
        QCOMPARE(fx.text("lblAMPM"), Gogo);
        QCOMPARE(clock()->hands(), Clock::handsFor(6, 40, QSize(148, 148)));
        QCOMPARE(answerBox()->text(), QStringLiteral("1840"));

        // The sample is no question: the next run's first time may be
        // 午後 6:40, but not 午前 9:50, the last one posed...
        scriptTime(fx.random, 0, 9, 50);
        scriptTime(fx.random, 1, 6, 40);
        fx.clickStart();
        QCOMPARE(fx.random.remaining(), 0);
        QCOMPARE(readAnswer(), 1840);
        QVERIFY(answerBox()->text().isEmpty());
        // ...and the one after may not be 午後 6:40 again.
        scriptTime(fx.random, 1, 6, 40);
        scriptTime(fx.random, 1, 9, 50);
        fx.type("txtAns", QStringLiteral("1840"));
        QCOMPARE(mark(), QStringLiteral(u"○"));
        QCOMPARE(fx.random.remaining(), 0);
        QCOMPARE(fx.text("lblAMPM"), Gogo);
        QCOMPARE(readAnswer(), 2150);
    }

    void wholeRun()
    {
        fx.random.pushSeeded(1212, 2000);
        fx.clickStart();
        QCOMPARE(fx.random.reseeds, 1);
        QVERIFY(fx.showsRunning("txtAns"));

        fx.dialogs->answerText(QStringLiteral(u"とけい"));
        int previous = Clock::SampleAnswer;
        QString lastTyped;
        for (int q = 1; q <= 50; ++q) {
            QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"あと　%1問").arg(51 - q));
            const int answer = readAnswer();
            QVERIFY(answer != previous);
            previous = answer;
            QVERIFY(answerBox()->text().isEmpty());
            QCOMPARE(fx.window->focusWidget(), answerBox());
            fx.ticks(2);

            bool right = true;
            QString typed = QStringLiteral("%1").arg(answer, 4, 10, QLatin1Char('0'));
            if (q == 5) {
                // Read on the 12-hour clock: wrong in the afternoon, and
                // 12 hours off in the morning.
                typed = QStringLiteral("%1").arg(answer >= 1200 ? answer - 1200 : answer + 1200, 4, 10, QLatin1Char('0'));
                right = false;
            } else if (q == 15) {
                typed = QString::number(answer); // no leading zeros
            } else if (q == 25) {
                typed = QStringLiteral("9e99");
                right = false;
            } else if (q == 50) {
                typed = QStringLiteral("%1").arg((answer + 5) % 2400, 4, 10, QLatin1Char('0'));
                right = false;
            }
            lastTyped = typed;
            fx.type("txtAns", typed);
            QCOMPARE(mark(), right ? QStringLiteral(u"○") : QStringLiteral(u"×"));
        }

        QVERIFY(fx.showsIdle("txtAns"));
        // The last clock and the last answer stay.
        QCOMPARE(readAnswer(), previous);
        QCOMPARE(answerBox()->text(), lastTyped);
    }
};

QTEST_MAIN(TestClock)
#include "tst_clock.moc"
