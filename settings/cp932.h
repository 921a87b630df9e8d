#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// The settings file of every version of the game is in Windows code page 932
// (Shift-JIS as Windows has it: "～" U+FF5E is bytes 81 60). All conversions
// between the file's bytes and the game's text go through here.
namespace Cp932 {

// True when the system's code page 932 converter is there and turns a sample of the
// game's own text into the bytes Windows writes and back. Without it no
// settings file can be read or written right: the game must not start.
bool isAvailable();

QByteArray encode(QStringView text);
// The text's bytes, or nothing when a character has no CP932 form that reads
// back as itself (what would be stored is not what was asked for).
std::optional<QByteArray> encodeExact(QStringView text);
QString decode(QByteArrayView bytes);

// Bytes the text takes in the file: a full-width character counts 2, a
// half-width one (ASCII, half-width katakana) 1.
qsizetype byteLength(QStringView text);

// True when the code point has a CP932 form that decodes back to itself.
bool canEncode(char32_t codePoint);

// The code point code page 932 holds in place of a twin that input methods
// outside Windows type: "〜" U+301C is stored as "～" U+FF5E (bytes 81 60),
// "‖" U+2016 as "∥" U+2225, "−" U+2212 as "－" U+FF0D, "¢" "£" "¬" as their
// full-width forms, "—" U+2014 as "―" U+2015. Every other code point is
// returned as it is.
char32_t windowsForm(char32_t codePoint);

// True for a byte that opens a double-byte character.
constexpr bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// True for a byte that can follow a lead byte as the second byte of a
// double-byte character.
constexpr bool isTrailByte(unsigned char byte)
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// The longest prefix of at most maxBytes bytes that does not end in half a
// double-byte character.
QByteArrayView cutWhole(QByteArrayView bytes, qsizetype maxBytes);

} // namespace Cp932
