#include "settings/cp932.h"

#include "settings/cp932_convert.h"

// The conversion of double-byte and half-width runs is the system's
// (settings/cp932_convert.h); single bytes below 0x80 are converted here, as
// Windows does, each its own code point.

namespace {

unsigned char byteAt(QByteArrayView bytes, qsizetype i)
{
    return static_cast<unsigned char>(bytes[i]);
}

// Bytes taken by the character at i: 2 for a lead byte with its trail byte,
// otherwise 1 (a lone lead byte is one broken character).
qsizetype widthAt(QByteArrayView bytes, qsizetype i)
{
    return Cp932::isLeadByte(byteAt(bytes, i)) && i + 1 < bytes.size() && Cp932::isTrailByte(byteAt(bytes, i + 1)) ? 2 : 1;
}

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool isAscii(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// A run of double-byte and half-width characters, no byte of it below 0x80
// except the second byte of a double-byte character.
void appendDecodedRun(QString &text, QByteArrayView run)
{
    if (run.isEmpty())
        return;
    if (!Cp932::Converter::isValid()) {
        // No converter: unreadable, never a wrong character.
        for (qsizetype i = 0; i < run.size(); i += widthAt(run, i))
            text += QChar::ReplacementCharacter;
        return;
    }
    Cp932::Converter::appendDecoded(text, run);
}

// exact: when given, set to false if a character has no CP932 form that
// decodes back to itself.
QByteArray encodeText(QStringView text, bool *exact)
{
    if (exact)
        *exact = true;
    if (isAscii(text))
        return text.toLatin1();

    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype start = i;
        while (i < text.size() && text[i].unicode() < 0x80)
            ++i;
        bytes += text.sliced(start, i - start).toLatin1();

        start = i;
        while (i < text.size() && text[i].unicode() >= 0x80)
            ++i;
        if (i == start)
            continue;
        const QStringView run = text.sliced(start, i - start);
        if (!Cp932::Converter::isValid()) {
            // No converter: nothing is exact, and a byte count still comes out right.
            if (exact)
                *exact = false;
            bytes += QByteArray(run.size() * 2, '?');
        } else if (exact) {
            bool converted = true;
            const QByteArray encoded = Cp932::Converter::encode(run, &converted);
            // What does not decode back to itself is a look-alike, not the character.
            if (!converted || Cp932::decode(encoded) != run)
                *exact = false;
            bytes += encoded;
        } else {
            bytes += Cp932::Converter::encode(run, nullptr);
        }
    }
    return bytes;
}

} // namespace

namespace Cp932 {

bool isAvailable()
{
    static const bool available = [] {
        if (!Converter::isValid())
            return false;
        // An exercise title, a full-width name, half-width katakana and an NEC
        // character, as Windows stores them.
        const QString sample = QStringLiteral(u"ぬけはな～に？　ﾊﾅｺ①");
        const QByteArray bytes = QByteArrayLiteral("\x82\xca\x82\xaf\x82\xcd\x82\xc8\x81\x60\x82\xc9\x81\x48"
                                                   "\x81\x40\xca\xc5\xba\x87\x40");
        const auto encoded = encodeExact(sample);
        return encoded && *encoded == bytes && decode(bytes) == sample;
    }();
    return available;
}

QByteArray encode(QStringView text)
{
    return encodeText(text, nullptr);
}

std::optional<QByteArray> encodeExact(QStringView text)
{
    bool exact = true;
    QByteArray bytes = encodeText(text, &exact);
    if (!exact)
        return std::nullopt;
    return bytes;
}

QString decode(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);

    QString text;
    text.reserve(bytes.size());
    qsizetype i = 0;
    qsizetype runStart = 0;
    while (i < bytes.size()) {
        const unsigned char byte = byteAt(bytes, i);
        if (byte < 0x80) {
            appendDecodedRun(text, bytes.sliced(runStart, i - runStart));
            text += QChar(char16_t(byte));
            runStart = ++i;
        } else if (isLeadByte(byte) && widthAt(bytes, i) == 1) {
            appendDecodedRun(text, bytes.sliced(runStart, i - runStart));
            text += QChar::ReplacementCharacter;
            runStart = ++i;
        } else {
            i += widthAt(bytes, i);
        }
    }
    appendDecodedRun(text, bytes.sliced(runStart, i - runStart));
    return text;
}

qsizetype byteLength(QStringView text)
{
    return encode(text).size();
}

bool canEncode(char32_t codePoint)
{
    const QString text = QString::fromUcs4(&codePoint, 1);
    // Best-fit mappings (a character stored as a look-alike) do not count:
    // what is stored must read back as it was.
    return encodeExact(text).has_value();
}

char32_t windowsForm(char32_t codePoint)
{
    switch (codePoint) {
    case 0x301C: return 0xFF5E; // WAVE DASH -> FULLWIDTH TILDE
    case 0x2016: return 0x2225; // DOUBLE VERTICAL LINE -> PARALLEL TO
    case 0x2212: return 0xFF0D; // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    case 0x00A2: return 0xFFE0; // CENT SIGN -> FULLWIDTH CENT SIGN
    case 0x00A3: return 0xFFE1; // POUND SIGN -> FULLWIDTH POUND SIGN
    case 0x00AC: return 0xFFE2; // NOT SIGN -> FULLWIDTH NOT SIGN
    case 0x2014: return 0x2015; // EM DASH -> HORIZONTAL BAR
    default: return codePoint;
    }
}

QByteArrayView cutWhole(QByteArrayView bytes, qsizetype maxBytes)
{
    if (bytes.size() <= maxBytes)
        return bytes;
    qsizetype end = 0;
    while (end < bytes.size()) {
        const qsizetype width = widthAt(bytes, end);
        if (end + width > maxBytes)
            break;
        end += width;
    }
    return bytes.first(end);
}

} // namespace Cp932
