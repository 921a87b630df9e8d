#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The system's converter for code page 932, one for each kind of system:
// Qt's ICU converter here (cp932_icu.cpp), the Windows code page functions on
// Windows (cp932_windows.cpp). Only cp932.cpp calls it, and only with runs of
// double-byte and half-width characters: no byte below 0x80 but the second
// byte of a double-byte character, no character below U+0080.
namespace Cp932::Converter {

// False when the system has no code page 932 converter at all.
bool isValid();

// Appends the run's text; a character with no Unicode form comes out as
// U+FFFD, a lone lead byte too.
void appendDecoded(QString &text, QByteArrayView run);

// The run's bytes. converted, when given, is set to false if the converter put
// a substitute in place of a character it has no form for. Look-alikes it maps
// without a word are caught by the caller, which reads the bytes back.
QByteArray encode(QStringView run, bool *converted);

} // namespace Cp932::Converter
