#include "tools/console.h"

#include <QByteArray>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace Console {

void useBytesAsGiven()
{
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

void print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

} // namespace Console
