#pragma once

// Bytes in and out of files, for tests that look at a file byte by byte.

#include <QByteArray>
#include <QFile>
#include <QString>

// The bytes of a string literal without its closing NUL; NULs inside it stay.
template<qsizetype N>
QByteArray raw(const char (&bytes)[N])
{
    return QByteArray(bytes, N - 1);
}

// The whole file, or nothing when it cannot be read.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the file anew with exactly these bytes; false when that fails.
inline bool putBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Where a test makes symbolic links with QFile::link, and where it cannot:
// on Windows QFile::link makes a shortcut (.lnk), a file of its own that the
// file system does not follow, so the game never meets one as its settings file.
#ifdef Q_OS_WIN
#define SKIP_WITHOUT_SYMBOLIC_LINKS() QSKIP("QFile::link makes a shortcut on Windows, not a link the file system follows")
#else
#define SKIP_WITHOUT_SYMBOLIC_LINKS() do {} while (false)
#endif
