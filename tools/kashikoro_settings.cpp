// kashikoro-settings: read, change or dump a settings file of the game.
//
//   kashikoro-settings FILE get SECTION KEY DEFAULT
//   kashikoro-settings FILE set SECTION KEY VALUE
//   kashikoro-settings FILE delete SECTION
//   kashikoro-settings FILE dump
//
// Arguments and output are UTF-8; the file stays in code page 932.

#include "settings/cp932.h"
#include "settings/settingsfile.h"

#include "tools/console.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

using Console::print;

int usage()
{
    print(stderr, QStringLiteral(
        "usage: kashikoro-settings FILE get SECTION KEY DEFAULT\n"
        "       kashikoro-settings FILE set SECTION KEY VALUE\n"
        "       kashikoro-settings FILE delete SECTION\n"
        "       kashikoro-settings FILE dump\n"
        "Arguments and output are UTF-8; the file is kept in code page 932.\n"
        "get prints DEFAULT when the file, section or key is missing; delete of a missing\n"
        "section or file does nothing and succeeds. A replaced file keeps its owner and\n"
        "mode where the tool may give them; a warning says when it could not.\n"));
    return 2;
}

int fail(const QString &message)
{
    print(stderr, QStringLiteral("kashikoro-settings: ") + message + QLatin1Char('\n'));
    return 1;
}

// Who owns the file and its mode, to tell when a replace could not keep them
// (the game, run by its player, must still be able to write the file).
struct Ownership
{
    bool known = false;
    unsigned owner = 0;
    unsigned group = 0;
    unsigned mode = 0;

    static Ownership of(const QString &path)
    {
        Ownership ownership;
#ifdef Q_OS_UNIX
        struct stat info;
        if (::stat(QFile::encodeName(path).constData(), &info) == 0) {
            ownership.known = true;
            ownership.owner = info.st_uid;
            ownership.group = info.st_gid;
            ownership.mode = info.st_mode & 07777;
        }
#else
        Q_UNUSED(path);
#endif
        return ownership;
    }

    QString text() const
    {
        return QStringLiteral("owner %1, group %2, mode %3").arg(owner).arg(group).arg(mode, 4, 8, QLatin1Char('0'));
    }
};

// Says so when the file now has another owner or mode than before the write.
void warnIfOwnershipChanged(const QString &path, const Ownership &before)
{
    const Ownership after = Ownership::of(path);
    if (!before.known || !after.known)
        return;
    if (before.owner == after.owner && before.group == after.group && before.mode == after.mode)
        return;
    print(stderr, QStringLiteral("kashikoro-settings: warning: %1: could not keep %2; the file now has %3\n")
                      .arg(path, before.text(), after.text()));
}

} // namespace

int main(int argc, char *argv[])
{
    Console::useBytesAsGiven();
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3)
        return usage();

    const QString &path = args[1];
    const QString &command = args[2];
    const qsizetype operands = args.size() - 3;
    if (!Cp932::isAvailable())
        return fail(QStringLiteral("the code page 932 converter (windows-31j) is missing: no settings file can be read "
                                   "or written correctly"));
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
        const Ownership before = Ownership::of(path);
        if (!file.write(args[3], args[4], args[5]))
            return fail(path + QStringLiteral(": cannot write the file"));
        warnIfOwnershipChanged(path, before);
        return 0;
    }
    if (command == QStringLiteral("delete") && operands == 1) {
        if (!SettingsFile::isStorable(args[3], {}, {}))
            return fail(QStringLiteral("no section of that name can be in the file"));
        // A missing file has no such section either: nothing to do.
        const Ownership before = Ownership::of(path);
        if (!file.deleteSection(args[3]))
            return fail(path + QStringLiteral(": cannot write the file"));
        warnIfOwnershipChanged(path, before);
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
