#pragma once

#include <QString>

#include <cstdio>

// What the console tools write: UTF-8 text, byte for byte as given. On
// Windows the C library would turn each "\n" into "\r\n" on the way out,
// doubling the CR of the settings file's own line ends; the tools write
// their output untranslated there too.
namespace Console {

// Called once at start, before anything is written.
void useBytesAsGiven();

void print(FILE *stream, const QString &text);

} // namespace Console
