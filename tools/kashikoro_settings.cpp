// kashikoro-settings: read, change or dump a settings file of the game.
//
//   kashikoro-settings FILE get SECTION KEY DEFAULT
//   kashikoro-settings FILE set SECTION KEY VALUE
//   kashikoro-settings FILE delete SECTION
//   kashikoro-settings FILE dump
//
// Arguments and output are UTF-8; the file stays in code page 932.

#include "settings/settingsfile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace {

void print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

int usage()
{
    print(stderr, QStringLiteral(
        "usage: kashikoro-settings FILE get SECTION KEY DEFAULT\n"
        "       kashikoro-settings FILE set SECTION KEY VALUE\n"
        "       kashikoro-settings FILE delete SECTION\n"
        "       kashikoro-settings FILE dump\n"
        "Arguments and output are UTF-8; the file is kept in code page 932.\n"
        "get prints DEFAULT when the file, section or key is missing.\n"));
    return 2;
}

int fail(const QString &message)
{
    print(stderr, QStringLiteral("kashikoro-settings: ") + message + QLatin1Char('\n'));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3)
        return usage();

    const QString &path = args[1];
    const QString &command = args[2];
    const qsizetype operands = args.size() - 3;
    SettingsFile file(path);

    // A file that is there but cannot be read is never written over; a
    // missing one reads as empty.
    const QFileInfo info(path);
    if (info.exists() && !file.canRead())
        return fail(path + QStringLiteral(": cannot read the file"));

    if (command == QStringLiteral("get") && operands == 3) {
        print(stdout, file.read(args[3], args[4], args[5]) + QLatin1Char('\n'));
        return 0;
    }
    if (command == QStringLiteral("set") && operands == 3) {
        if (!SettingsFile::isStorable(args[3], args[4], args[5]))
            return fail(QStringLiteral("the section, key or value cannot be stored in the file "
                                       "(line breaks, NUL, ']' in a section, '=' in a key, or characters code page 932 lacks)"));
        if (!file.write(args[3], args[4], args[5]))
            return fail(path + QStringLiteral(": cannot write the file"));
        return 0;
    }
    if (command == QStringLiteral("delete") && operands == 1) {
        if (!info.exists())
            return fail(path + QStringLiteral(": no such file"));
        if (!SettingsFile::isStorable(args[3], {}, {}))
            return fail(QStringLiteral("no section of that name can be in the file"));
        if (!file.deleteSection(args[3]))
            return fail(path + QStringLiteral(": cannot write the file"));
        return 0;
    }
    if (command == QStringLiteral("dump") && operands == 0) {
        if (!info.exists())
            return fail(path + QStringLiteral(": no such file"));
        print(stdout, file.contents());
        return 0;
    }
    return usage();
}
