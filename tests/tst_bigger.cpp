// どれが大きい？ — the four digits and their sizes, the judge, the digits as
// the player sees them on the buttons, and one run through the real window.

#include "exercises/05_bigger/bigger.h"
#include "exercises/05_bigger/digitbutton.h"
#include "exercises/05_bigger/frmtrainer5.h"
#include "support/trainerfixture.h"

#include <QLabel>
#include <QtTest>

#include <algorithm>
#include <cmath>

using Bigger::Buttons;

namespace {

const QString Title = QStringLiteral(u"どれが大きい？");
const float LargestR = std::nextafter(1.0f, 0.0f);

float sizeR(int points)
{
    return ScriptedRandom::forInt(points - 12, 61);
}

float digitR(int digit)
{
    return ScriptedRandom::forInt(digit, 10);
}

// One question as the buttons draw it: each button's size, then its digit
// (the digits list holds the redrawn ones too).
void scriptQuestion(ScriptedRandom &random, const QList<int> &sizes, const QList<int> &digits)
{
    for (int i = 0; i < Buttons; ++i) {
        random.push(sizeR(sizes[i]));
        random.push(digitR(digits[i]));
    }
}

// The box of the dark pixels of an image (the ink of a caption).
QRect inkBox(const QImage &image, const QRect &within)
{
    QRect box;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (qGray(image.pixel(x, y)) < 96)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestBigger : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<frmTrainer5> fx;

    DigitButton *numberButton(int i) { return fx.control<DigitButton>(QStringLiteral("cmdNum(%1)").arg(i)); }
    QStringList shownDigits()
    {
        QStringList digits;
        for (int i = 0; i < Buttons; ++i)
            digits.append(numberButton(i)->text());
        return digits;
    }
    QList<qreal> shownSizes()
    {
        QList<qreal> sizes;
        for (int i = 0; i < Buttons; ++i)
            sizes.append(numberButton(i)->font().pointSizeF());
        return sizes;
    }
    // The button with the largest digit on it, as the player reads them.
    int buttonOfLargest()
    {
        const QStringList digits = shownDigits();
        return int(std::max_element(digits.begin(), digits.end()) - digits.begin());
    }

private slots:
    void init()
    {
        QVERIFY(fx.open(5));
    }
    void cleanup() { fx.close(); }

    // --- Drawing a question -----------------------------------------------

    void drawQuestion_data()
    {
        QTest::addColumn<QList<float>>("script");
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<QList<int>>("digits");
        QTest::addColumn<int>("maxValue");
        QTest::newRow("0 1 2 9: the largest is small")
            << QList<float>{sizeR(72), digitR(0), sizeR(60), digitR(1), sizeR(40), digitR(2), sizeR(12), digitR(9)}
            << QList<int>{72, 60, 40, 12} << QList<int>{0, 1, 2, 9} << 9;
        QTest::newRow("0 1 2 3")
            << QList<float>{sizeR(30), digitR(3), sizeR(31), digitR(2), sizeR(32), digitR(1), sizeR(33), digitR(0)}
            << QList<int>{30, 31, 32, 33} << QList<int>{3, 2, 1, 0} << 3;
        QTest::newRow("extremes of r")
            << QList<float>{0.0f, 0.0f, LargestR, LargestR, 0.0f, digitR(5), LargestR, digitR(4)}
            << QList<int>{12, 72, 12, 72} << QList<int>{0, 9, 5, 4} << 9;
        QTest::newRow("a digit dealt before is drawn again")
            << QList<float>{sizeR(20), digitR(5),
                            sizeR(21), digitR(5), digitR(7),
                            sizeR(22), digitR(7), digitR(5), digitR(3),
                            sizeR(23), digitR(3), digitR(5), digitR(7), LargestR}
            << QList<int>{20, 21, 22, 23} << QList<int>{5, 7, 3, 9} << 9;
        QTest::newRow("the largest first")
            << QList<float>{LargestR, LargestR, sizeR(50), LargestR, 0.0f, sizeR(13), digitR(8), sizeR(14), digitR(1)}
            << QList<int>{72, 50, 13, 14} << QList<int>{9, 0, 8, 1} << 9;
    }
    void drawQuestion()
    {
        QFETCH(QList<float>, script);
        QFETCH(QList<int>, sizes);
        QFETCH(QList<int>, digits);
        QFETCH(int, maxValue);
        ScriptedRandom source;
        for (float r : script)
            source.push(r);
        const Bigger::Question question = Bigger::drawQuestion(source);
        for (int i = 0; i < Buttons; ++i) {
            QCOMPARE(question.cards[i].pointSize, sizes[i]);
            QCOMPARE(question.cards[i].digit, digits[i]);
        }
        QCOMPARE(question.MaxValue, maxValue);
        QCOMPARE(source.remaining(), 0);
    }

    void seededQuestions()
    {
        ScriptedRandom source;
        source.pushSeeded(5, 120000);
        QList<int> sizesSeen(Bigger::LargestSize + 1);
        QList<int> maxSeen(10);
        for (int n = 0; n < 10000; ++n) {
            const Bigger::Question q = Bigger::drawQuestion(source);
            QList<int> digits;
            for (const Bigger::Card &card : q.cards) {
                QVERIFY(card.digit >= 0 && card.digit <= 9);
                QVERIFY(card.pointSize >= 12 && card.pointSize <= 72);
                QVERIFY(!digits.contains(card.digit));
                digits.append(card.digit);
                ++sizesSeen[card.pointSize];
            }
            QCOMPARE(q.MaxValue, *std::max_element(digits.begin(), digits.end()));
            QCOMPARE(digits.count(q.MaxValue), 1);
            ++maxSeen[q.MaxValue];
        }
        // Every size from 12 to 72 comes up; the largest of four different digits is at least 3.
        QVERIFY(!sizesSeen.mid(12).contains(0));
        QCOMPARE(maxSeen.mid(0, 3), QList<int>({0, 0, 0}));
        QVERIFY(!maxSeen.mid(3).contains(0));
    }

    void judge_data()
    {
        QTest::addColumn<QList<int>>("digits");
        QTest::addColumn<int>("pressed");
        QTest::addColumn<bool>("right");
        QTest::newRow("the 9 of 0 1 2 9") << QList<int>{0, 1, 2, 9} << 3 << true;
        QTest::newRow("a big-looking 2 of 0 1 2 9") << QList<int>{0, 1, 2, 9} << 2 << false;
        QTest::newRow("the 3 of 3 0 1 2") << QList<int>{3, 0, 1, 2} << 0 << true;
        QTest::newRow("the 0 is never the largest") << QList<int>{1, 0, 2, 3} << 1 << false;
        QTest::newRow("no card there") << QList<int>{0, 1, 2, 3} << 4 << false;
        QTest::newRow("before the first card") << QList<int>{0, 1, 2, 3} << -1 << false;
    }
    void judge()
    {
        QFETCH(QList<int>, digits);
        QFETCH(int, pressed);
        QFETCH(bool, right);
        Bigger::Question question;
        for (int i = 0; i < Bigger::Buttons; ++i) {
            question.cards[std::size_t(i)].digit = digits[i];
            question.MaxValue = std::max(question.MaxValue, digits[i]);
        }
        QCOMPARE(Bigger::isRightAnswer(question, pressed), right);
    }

    // --- The window ------------------------------------------------------

    void opensIdle()
    {
        QCOMPARE(fx.window->windowTitle(), Title);
        QCOMPARE(fx.instructionLines(), fx.withCommonLines({QStringLiteral(u"●表示される数字で値が大きいボタンをおすんだぴこ。"),
                                                            QStringLiteral(u"※サイズじゃないよ値だよ。")}));
        QCOMPARE(shownDigits(), QStringList({QStringLiteral("9"), QStringLiteral("0"), QStringLiteral("3"),
                                             QStringLiteral("7")}));
        QCOMPARE(shownSizes(), QList<qreal>({12, 26.25, 72, 48}));
        for (int i = 0; i < Buttons; ++i) {
            QVERIFY(numberButton(i)->font().bold());
            QVERIFY(!numberButton(i)->isEnabled());
            QCOMPARE(numberButton(i)->size(), QSize(137, 105));
        }
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(fx.label("lblExp")->geometry(), QRect(16, 8, 393, 113));
        QCOMPARE(fx.label("lblResult")->pos(), QPoint(144, 128));
        QCOMPARE(fx.label("lblProbCnt")->geometry(), QRect(176, 128, 137, 25));
        // Six lines of instructions fit the taller fx.label.
        const QLabel *exp = fx.label("lblExp");
        QVERIFY(exp->sizeHint().height() <= exp->height());
    }

    void digitsStandWhole_data()
    {
        QTest::addColumn<QString>("digit");
        QTest::addColumn<int>("points");
        QTest::newRow("8 at 72 pt") << QStringLiteral("8") << 72;
        QTest::newRow("0 at 72 pt") << QStringLiteral("0") << 72;
        QTest::newRow("7 at 72 pt") << QStringLiteral("7") << 72;
        QTest::newRow("9 at 48 pt") << QStringLiteral("9") << 48;
        QTest::newRow("1 at 12 pt") << QStringLiteral("1") << 12;
        // 72 pt on a display of 200 dots per inch without scaling: shrunk to fit, still whole.
        QTest::newRow("8 at 150 pt") << QStringLiteral("8") << 150;
    }
    void digitsStandWhole()
    {
        // A digit is drawn at its size, whole and in the middle of its button;
        // only one too big for the face is made smaller.
        QFETCH(QString, digit);
        QFETCH(int, points);
        scriptQuestion(fx.random, {12, 12, 12, 12}, {0, 1, 2, 3});
        fx.clickStart();
        DigitButton *b = numberButton(2);
        QFont font = b->font();
        font.setPointSizeF(points);
        b->setFont(font);
        b->setText(digit);

        const QRect area = b->captionArea();
        const QRectF ink = b->captionInk();
        QVERIFY(QRectF(area).contains(ink));
        const QSizeF natural = QFontMetricsF(font).tightBoundingRect(digit).size();
        if (points <= Bigger::LargestSize)
            QCOMPARE(ink.size(), natural);
        else
            QVERIFY(ink.height() < natural.height() && ink.height() >= area.height() - 5);

        const QImage picture = b->grab().toImage();
        const QRect drawn = inkBox(picture, area.adjusted(1, 1, -1, -1));
        QVERIFY(!drawn.isEmpty());
        // No ink touches the edge of the caption's area: nothing was cut off.
        QVERIFY(area.adjusted(1, 1, -1, -1).contains(drawn.adjusted(-1, -1, 1, 1)));
#ifdef Q_OS_WIN
        // Windows fits a small glyph to whole pixels, up to two off its outline's measure.
        const qreal gridFit = 2;
#else
        const qreal gridFit = 0;
#endif
        QVERIFY2(drawn.height() >= std::min(0.9 * ink.height(), ink.height() - gridFit)
                     && drawn.height() <= ink.height() + 1,
                 qPrintable(QStringLiteral("drawn %1 px high, measured %2").arg(drawn.height()).arg(ink.height())));
        QVERIFY(std::abs(drawn.center().x() - area.center().x()) <= 2);
        QVERIFY(std::abs(drawn.center().y() - area.center().y()) <= 2);
    }

    void playedThroughTheWindow()
    {
        scriptQuestion(fx.random, {40, 12, 72, 25}, {6, 2, 1, 8});
        fx.clickStart();
        QCOMPARE(fx.random.remaining(), 0);
        QCOMPARE(shownDigits(), QStringList({QStringLiteral("6"), QStringLiteral("2"), QStringLiteral("1"),
                                             QStringLiteral("8")}));
        QCOMPARE(shownSizes(), QList<qreal>({40, 12, 72, 25}));

        // The biggest-looking digit is not the answer.
        scriptQuestion(fx.random, {13, 14, 15, 16}, {0, 1, 2, 3});
        fx.click(numberButton(2));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"×"));
        QCOMPARE(shownSizes(), QList<qreal>({13, 14, 15, 16}));

        // Stop keeps the digits where they are.
        fx.clickStart();
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(shownDigits(), QStringList({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                                             QStringLiteral("3")}));
        QCOMPARE(shownSizes(), QList<qreal>({13, 14, 15, 16}));

        // A whole run from there, the player pressing the largest value shown.
        fx.random.pushSeeded(55, 2000);
        fx.dialogs->answerText(QStringLiteral(u"はなこ"));
        fx.clickStart();
        for (int q = 1; q <= 50; ++q) {
            const QStringList digits = shownDigits();
            QCOMPARE(QSet<QString>(digits.begin(), digits.end()).size(), Buttons);
            for (qreal size : shownSizes())
                QVERIFY(size >= 12 && size <= 72 && size == std::floor(size));
            fx.tick();
            fx.click(numberButton(buttonOfLargest()));
            QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
        }
        QVERIFY(fx.showsIdle("fraAns"));
    }
};

QTEST_MAIN(TestBigger)
#include "tst_bigger.moc"
