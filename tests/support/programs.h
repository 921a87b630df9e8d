#pragma once

#include <QString>

// One of the game's programs as the build left it beside the tests
// (bin/NAME, with the system's ending for programs).
inline QString builtProgram(const QString &name)
{
#ifdef Q_OS_WIN
    const QString ending = QStringLiteral(".exe");
#else
    const QString ending;
#endif
    return qEnvironmentVariable("KASHIKORO_BINARY_DIR") + QStringLiteral("/bin/") + name + ending;
}
