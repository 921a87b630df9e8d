#include "settings/cp932_convert.h"

#include <QStringDecoder>
#include <QStringEncoder>

// Qt hands "windows-31j" to ICU. Its table differs from Windows in three
// single-byte control codes (it swaps 1A, 1C and 7F), which never reach it
// (cp932.cpp converts bytes below 0x80 itself), and it marks undecodable bytes
// with U+001A, which is turned into U+FFFD here.

namespace {

constexpr const char *CodecName = "windows-31j";

QStringDecoder &decoder()
{
    thread_local QStringDecoder converter(CodecName, QStringConverter::Flag::Stateless);
    return converter;
}

QStringEncoder &encoder()
{
    thread_local QStringEncoder converter(CodecName, QStringConverter::Flag::Stateless);
    return converter;
}

} // namespace

namespace Cp932::Converter {

bool isValid()
{
    return decoder().isValid() && encoder().isValid();
}

void appendDecoded(QString &text, QByteArrayView run)
{
    QStringDecoder &converter = decoder();
    converter.resetState();
    const qsizetype from = text.size();
    text += QString(converter.decode(run));
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == QChar(0x1A))
            text[i] = QChar::ReplacementCharacter;
    }
}

QByteArray encode(QStringView run, bool *converted)
{
    if (converted) {
        // The converter's error flag does not reset, so a check gets a fresh one.
        QStringEncoder checked(CodecName, QStringConverter::Flag::Stateless);
        QByteArray bytes = checked.encode(run);
        *converted = !checked.hasError();
        return bytes;
    }
    QStringEncoder &converter = encoder();
    converter.resetState();
    return converter.encode(run);
}

} // namespace Cp932::Converter
