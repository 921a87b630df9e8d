// The rule for typed numeric answers, shared by every exercise answered with
// a text box and Enter.

#include "run/typedanswer.h"

#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(std::optional<int>)

class TestTypedAnswer : public QObject
{
    Q_OBJECT

private slots:
    void toInteger_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<std::optional<int>>("value");
        const std::optional<int> none;

        QTest::newRow("plain") << QStringLiteral("108") << std::optional<int>(108);
        QTest::newRow("leading zeros") << QStringLiteral("0305") << std::optional<int>(305);
        QTest::newRow("spaces around") << QStringLiteral("  42 ") << std::optional<int>(42);
        QTest::newRow("ideographic space around") << QStringLiteral(u"\u3000" "42") << std::optional<int>(42);
        QTest::newRow("whole decimal") << QStringLiteral("42.0") << std::optional<int>(42);
        QTest::newRow("half to even, down") << QStringLiteral("2.5") << std::optional<int>(2);
        QTest::newRow("half to even, up") << QStringLiteral("3.5") << std::optional<int>(4);
        QTest::newRow("negative half") << QStringLiteral("-2.5") << std::optional<int>(-2);
        QTest::newRow("below a half") << QStringLiteral("2.49") << std::optional<int>(2);
        QTest::newRow("point first") << QStringLiteral(".6") << std::optional<int>(1);
        QTest::newRow("point last") << QStringLiteral("7.") << std::optional<int>(7);
        QTest::newRow("signs") << QStringLiteral("+7") << std::optional<int>(7);
        QTest::newRow("minus") << QStringLiteral("-7") << std::optional<int>(-7);
        QTest::newRow("exponent") << QStringLiteral("1e3") << std::optional<int>(1000);
        QTest::newRow("full-width digits") << QStringLiteral(u"１０８") << std::optional<int>(108);
        QTest::newRow("full-width sign and point") << QStringLiteral(u"－１．５") << std::optional<int>(-2);
        // What a Japanese input method types for "-" is often U+2212 MINUS SIGN.
        QTest::newRow("minus sign") << QStringLiteral(u"\u2212" "7") << std::optional<int>(-7);
        QTest::newRow("minus sign, full-width digits") << QStringLiteral(u"\u2212１２") << std::optional<int>(-12);
        QTest::newRow("minus sign in the exponent") << QStringLiteral(u"5e\u2212" "1") << std::optional<int>(0);
        QTest::newRow("full-width plus") << QStringLiteral(u"＋８") << std::optional<int>(8);
        QTest::newRow("full-width exponent") << QStringLiteral(u"１Ｅ２") << std::optional<int>(100);
        QTest::newRow("full-width small exponent") << QStringLiteral(u"２ｅ１") << std::optional<int>(20);
        QTest::newRow("largest") << QStringLiteral("2147483647") << std::optional<int>(2147483647);
        QTest::newRow("smallest") << QStringLiteral("-2147483648") << std::optional<int>(-2147483647 - 1);
        QTest::newRow("rounds into range") << QStringLiteral("2147483647.4") << std::optional<int>(2147483647);

        QTest::newRow("empty") << QString() << none;
        QTest::newRow("only spaces") << QStringLiteral("   ") << none;
        QTest::newRow("letters") << QStringLiteral("abc") << none;
        QTest::newRow("digits then letters") << QStringLiteral("12a") << none;
        QTest::newRow("space inside") << QStringLiteral("1 2") << none;
        QTest::newRow("two points") << QStringLiteral("1.2.3") << none;
        QTest::newRow("lone point") << QStringLiteral(".") << none;
        QTest::newRow("lone sign") << QStringLiteral("-") << none;
        QTest::newRow("grouping comma") << QStringLiteral("1,000") << none;
        QTest::newRow("exponent without digits") << QStringLiteral("1e") << none;
        QTest::newRow("beyond the range") << QStringLiteral("2147483648") << none;
        QTest::newRow("rounds out of range") << QStringLiteral("2147483647.5") << none;
        QTest::newRow("below the range") << QStringLiteral("-2147483649") << none;
        QTest::newRow("huge exponent") << QStringLiteral("9e99") << none;
        QTest::newRow("overflowing exponent") << QStringLiteral("9e999") << none;
        QTest::newRow("infinity") << QStringLiteral("inf") << none;
        QTest::newRow("not a number") << QStringLiteral("nan") << none;
        QTest::newRow("hexadecimal") << QStringLiteral("0x10") << none;
        QTest::newRow("kanji numeral") << QStringLiteral(u"十") << none;
        QTest::newRow("two minus signs") << QStringLiteral(u"\u2212\u2212" "7") << none;
        QTest::newRow("dash is not a minus") << QStringLiteral(u"\u2013" "7") << none;
        QTest::newRow("full-width comma") << QStringLiteral(u"１，０００") << none;
    }
    void toInteger()
    {
        QFETCH(QString, typed);
        QFETCH(std::optional<int>, value);
        QCOMPARE(TypedAnswer::toInteger(typed), value);
    }

    void matchesOnlyTheExpectedValue()
    {
        QVERIFY(TypedAnswer::matches(u"0305", 305));
        QVERIFY(!TypedAnswer::matches(u"0640", 1840));
        QVERIFY(!TypedAnswer::matches(u"", 0));
        QVERIFY(TypedAnswer::matches(u"0", 0));
    }
};

QTEST_GUILESS_MAIN(TestTypedAnswer)
#include "tst_typedanswer.moc"
