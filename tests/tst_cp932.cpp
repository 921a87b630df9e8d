// Code page 932 as Windows has it: the bytes of the settings file and the
// game's text, both ways, and the cut that never splits a character.

#include "settings/cp932.h"

#include <QtTest>

namespace {

template <qsizetype N>
QByteArray raw(const char (&bytes)[N])
{
    return QByteArray(bytes, N - 1);
}

} // namespace

class TestCp932 : public QObject
{
    Q_OBJECT

private slots:
    void decodes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");

        QTest::newRow("ASCII, backslash and tilde") << raw("a\\~[]=;") << QStringLiteral("a\\~[]=;");
        QTest::newRow("control bytes are themselves") << raw("\x01\x1a\x1c\x7f") << QStringLiteral(u"\u0001\u001A\u001C\u007F");
        QTest::newRow("full-width tilde") << raw("\x81\x60") << QStringLiteral(u"～");
        QTest::newRow("ideographic space") << raw("\x81\x40") << QStringLiteral(u"　");
        QTest::newRow("trail byte '\\'") << raw("\x95\x5c\x83\x5c") << QStringLiteral(u"表ソ");
        QTest::newRow("trail bytes '[' and ']'") << raw("\x81\x5b\x83\x5d") << QStringLiteral(u"ーゾ");
        QTest::newRow("half-width katakana") << raw("\xca\xc5\xba") << QStringLiteral(u"ﾊﾅｺ");
        QTest::newRow("mixed") << raw("9.5\x81\x40\x82\xa0" "b") << QStringLiteral(u"9.5　あb");
        QTest::newRow("NEC and IBM extensions") << raw("\x87\x40\xed\x40\xfa\x40") << QStringLiteral(u"①纊ⅰ");
        QTest::newRow("NEC row 13 and NEC-selected IBM twins") << raw("\x87\x90\x81\xe0\xed\x40\xfa\x5c")
                                                             << QStringLiteral(u"≒≒纊纊");
        QTest::newRow("trail byte 7E: multiplication sign") << raw("\x81\x7e" "a\x81\x7e") << QStringLiteral(u"×a×");
        QTest::newRow("trail bytes 40 and FC, the ends of the range") << raw("\x81\x40\x81\xfc") << QStringLiteral(u"　◯");
        QTest::newRow("full-width minus") << raw("\x81\x7c") << QStringLiteral(u"－");
        QTest::newRow("bytes no character starts with") << raw("\x80\xa0\xfd\xfe\xff")
                                                       << QString(QChar::ReplacementCharacter).repeated(5);
        QTest::newRow("unassigned pair") << raw("a\x85\x40" "b") << QStringLiteral(u"a\uFFFDb");
        QTest::newRow("lone lead byte at the end") << raw("a\x82") << QStringLiteral(u"a\uFFFD");
        QTest::newRow("lead byte before a line end") << raw("\x82\n") << QStringLiteral(u"\uFFFD\n");
        QTest::newRow("lead byte before a control byte") << raw("\x82\x1a") << QStringLiteral(u"\uFFFD\u001A");
        QTest::newRow("NUL") << raw("a\0\x82\xa0") << QStringLiteral(u"a\u0000あ");
    }

    void decodes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(Cp932::decode(bytes), text);
    }

    void encodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("exact");
        QTest::addColumn<QByteArray>("bytes"); // when exact

        QTest::newRow("ASCII") << QStringLiteral("Ver 9.1.0\\~") << true << raw("Ver 9.1.0\\~");
        QTest::newRow("control characters are themselves") << QStringLiteral(u"\u001A\u001C\u007F") << true << raw("\x1a\x1c\x7f");
        QTest::newRow("full-width tilde") << QStringLiteral(u"ぬけはな～に？") << true
                                          << raw("\x82\xca\x82\xaf\x82\xcd\x82\xc8\x81\x60\x82\xc9\x81\x48");
        QTest::newRow("ranking line") << QStringLiteral(u"44.7　ﾊﾅｺ 2007/09/09") << true
                                      << raw("44.7\x81\x40\xca\xc5\xba 2007/09/09");
        QTest::newRow("circled digit") << QStringLiteral(u"①") << true << raw("\x87\x40");
        QTest::newRow("multiplication sign (trail byte 7E)") << QStringLiteral(u"3×4") << true << raw("3\x81\x7e" "4");
        QTest::newRow("a look-alike the converter takes without complaint")
            << QStringLiteral(u"\uF86F") << false << QByteArray(); // stored as 87 82, which reads as "№"
        QTest::newRow("parallel") << QStringLiteral(u"∥") << true << raw("\x81\x61");
        QTest::newRow("wave dash is not the tilde") << QStringLiteral(u"〜") << false << QByteArray();
        QTest::newRow("yen sign is not the backslash") << QStringLiteral(u"¥") << false << QByteArray();
        QTest::newRow("minus sign") << QStringLiteral(u"−") << false << QByteArray();
        QTest::newRow("outside the code page") << QStringLiteral(u"𠮷野家") << false << QByteArray();
        QTest::newRow("emoji") << QStringLiteral(u"ごん😀") << false << QByteArray();
        QTest::newRow("replacement character") << QStringLiteral(u"\uFFFD") << false << QByteArray();
    }

    void encodes()
    {
        QFETCH(QString, text);
        QFETCH(bool, exact);
        QFETCH(QByteArray, bytes);

        // Twice, so that a refused text cannot spoil the next conversion.
        for (int round = 0; round < 2; ++round) {
            const auto encoded = Cp932::encodeExact(text);
            QCOMPARE(encoded.has_value(), exact);
            if (exact) {
                QCOMPARE(*encoded, bytes);
                QCOMPARE(Cp932::encode(text), bytes);
                QCOMPARE(Cp932::byteLength(text), bytes.size());
                QCOMPARE(Cp932::decode(bytes), text);
            }
        }
    }

    void canEncode_data()
    {
        QTest::addColumn<uint>("codePoint");
        QTest::addColumn<bool>("expected");
        QTest::newRow("A") << uint(u'A') << true;
        QTest::newRow("あ") << uint(u'あ') << true;
        QTest::newRow("～") << uint(u'～') << true;
        QTest::newRow("ﾊ") << uint(u'ﾊ') << true;
        QTest::newRow("〜") << uint(u'〜') << false;
        QTest::newRow("¥") << uint(u'¥') << false;
        QTest::newRow("𠮷") << uint(0x20BB7) << false;
        QTest::newRow("😀") << uint(0x1F600) << false;
    }

    void canEncode()
    {
        QFETCH(uint, codePoint);
        QFETCH(bool, expected);
        QCOMPARE(Cp932::canEncode(char32_t(codePoint)), expected);
    }

    void converterIsThere()
    {
        // The game refuses to start without it; on this platform it must be there.
        QVERIFY(Cp932::isAvailable());
    }

    void windowsForms_data()
    {
        QTest::addColumn<uint>("typed");
        QTest::addColumn<uint>("stored");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("wave dash") << 0x301Cu << 0xFF5Eu << raw("\x81\x60");
        QTest::newRow("double vertical line") << 0x2016u << 0x2225u << raw("\x81\x61");
        QTest::newRow("minus sign") << 0x2212u << 0xFF0Du << raw("\x81\x7c");
        QTest::newRow("cent sign") << 0x00A2u << 0xFFE0u << raw("\x81\x91");
        QTest::newRow("pound sign") << 0x00A3u << 0xFFE1u << raw("\x81\x92");
        QTest::newRow("not sign") << 0x00ACu << 0xFFE2u << raw("\x81\xca");
        QTest::newRow("em dash") << 0x2014u << 0x2015u << raw("\x81\x5c");
        QTest::newRow("a character that is no twin") << uint(u'あ') << uint(u'あ') << raw("\x82\xa0");
        QTest::newRow("the Windows form itself") << 0xFF5Eu << 0xFF5Eu << raw("\x81\x60");
    }

    void windowsForms()
    {
        QFETCH(uint, typed);
        QFETCH(uint, stored);
        QFETCH(QByteArray, bytes);
        QCOMPARE(uint(Cp932::windowsForm(char32_t(typed))), stored);
        const char32_t form = Cp932::windowsForm(char32_t(typed));
        const auto encoded = Cp932::encodeExact(QString::fromUcs4(&form, 1));
        QVERIFY(encoded.has_value());
        QCOMPARE(*encoded, bytes);
    }

    void cutWhole_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("maxBytes");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("short enough") << raw("ab") << 2 << raw("ab");
        QTest::newRow("ASCII") << raw("abc") << 2 << raw("ab");
        QTest::newRow("ends between characters") << raw("\x82\xa0\x82\xa2") << 2 << raw("\x82\xa0");
        QTest::newRow("would split a character") << raw("a\x82\xa0") << 2 << raw("a");
        QTest::newRow("trail byte '\\' is not a character") << raw("\x95\x5c\x95\x5c") << 3 << raw("\x95\x5c");
        QTest::newRow("half-width katakana are single") << raw("\xca\xc5\xba") << 2 << raw("\xca\xc5");
        QTest::newRow("lone lead byte counts one") << raw("\x82" "ab") << 2 << raw("\x82" "a");
        QTest::newRow("trail byte 7E is a character's second byte") << raw("\x81\x7e\x81\x7e") << 3 << raw("\x81\x7e");
    }

    void cutWhole()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, maxBytes);
        QFETCH(QByteArray, expected);
        QCOMPARE(Cp932::cutWhole(bytes, maxBytes).toByteArray(), expected);
    }
};

QTEST_APPLESS_MAIN(TestCp932)
#include "tst_cp932.moc"
