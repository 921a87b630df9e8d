#include "settings/cp932_convert.h"

#include "settings/cp932.h"

#include <windows.h>

// Windows' own code page 932 tables, the ones every earlier version of the
// game wrote its settings file with. Best-fit mapping is off: a character
// Windows has no form for becomes the substitute and is reported, never a
// look-alike.

namespace {

constexpr UINT CodePage = 932;

unsigned char byteAt(QByteArrayView bytes, qsizetype i)
{
    return static_cast<unsigned char>(bytes[i]);
}

qsizetype widthAt(QByteArrayView bytes, qsizetype i)
{
    return Cp932::isLeadByte(byteAt(bytes, i)) && i + 1 < bytes.size() && Cp932::isTrailByte(byteAt(bytes, i + 1)) ? 2 : 1;
}

// Half-width katakana are the only single bytes from 0x80 up that are
// characters. Windows maps 80, A0 and FD to FF to code points of its own,
// and no character starts with them: they are unreadable here, as elsewhere.
bool isSingleByteCharacter(unsigned char byte)
{
    return byte >= 0xA1 && byte <= 0xDF;
}

// Appends the bytes' text; false (and nothing appended) when one of them
// has no Unicode form.
bool appendStrict(QString &text, QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return true;
    const int length = int(bytes.size());
    const int count = ::MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (count <= 0)
        return false;
    const qsizetype from = text.size();
    text.resize(from + count);
    const int written = ::MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, bytes.data(), length,
                                              reinterpret_cast<wchar_t *>(text.data() + from), count);
    text.resize(from + qMax(written, 0));
    return written == count;
}

// Characters one by one, so that one unreadable pair spoils only itself.
void appendEach(QString &text, QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype width = widthAt(bytes, i);
        if (!appendStrict(text, bytes.sliced(i, width)))
            text += QChar::ReplacementCharacter;
        i += width;
    }
}

} // namespace

namespace Cp932::Converter {

bool isValid()
{
    return ::IsValidCodePage(CodePage) != 0;
}

void appendDecoded(QString &text, QByteArrayView run)
{
    qsizetype start = 0;
    const auto flush = [&](qsizetype end) {
        const QByteArrayView part = run.sliced(start, end - start);
        if (!appendStrict(text, part))
            appendEach(text, part);
    };
    qsizetype i = 0;
    while (i < run.size()) {
        const qsizetype width = widthAt(run, i);
        if (width == 1 && !isSingleByteCharacter(byteAt(run, i))) {
            flush(i);
            text += QChar::ReplacementCharacter;
            start = i + 1;
        }
        i += width;
    }
    flush(i);
}

QByteArray encode(QStringView run, bool *converted)
{
    if (converted)
        *converted = true;
    if (run.isEmpty())
        return QByteArray();
    const auto *wide = reinterpret_cast<const wchar_t *>(run.utf16());
    const int length = int(run.size());
    BOOL substituted = FALSE;
    const int count = ::WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, "?", &substituted);
    if (count <= 0) {
        if (converted)
            *converted = false;
        return QByteArray(run.size() * 2, '?');
    }
    QByteArray bytes(count, Qt::Uninitialized);
    substituted = FALSE;
    const int written =
        ::WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, wide, length, bytes.data(), count, "?", &substituted);
    bytes.resize(qMax(written, 0));
    if (converted && (substituted || written != count))
        *converted = false;
    return bytes;
}

} // namespace Cp932::Converter
