#include "ui/modules.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace Modules {

QStringList folders()
{
    const QDir program(QCoreApplication::applicationDirPath());
    QStringList found = {program.absolutePath()};
    const QString installed = QDir::cleanPath(program.absoluteFilePath(QStringLiteral(KASHIKORO_MODULE_DIR)));
    if (!found.contains(installed))
        found.append(installed);
    return found;
}

QFunctionPointer resolve(const char *module, const char *entryPoint)
{
    for (const QString &folder : folders()) {
        QLibrary library(folder + QLatin1Char('/') + QLatin1String(module));
        if (const QFunctionPointer entry = library.resolve(entryPoint))
            return entry;
    }
    return nullptr;
}

} // namespace Modules
