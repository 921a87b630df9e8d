// kashikoro-record-pictures: records SVG drawings as the picture files the
// game draws (QPicture), each beside its SVG with the ending .qpic.
//
//   kashikoro-record-pictures SVG...
//
// tools/record-pictures.sh runs it on every picture of the game; the SVGs
// stay the sources to edit, the .qpic files are committed beside them.

#include "tools/svgpicture.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    // No screen is needed to record a drawing.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2) {
        std::fputs("usage: kashikoro-record-pictures SVG...\n", stderr);
        return 2;
    }
    int failures = 0;
    for (qsizetype index = 1; index < arguments.size(); ++index) {
        const QString &svg = arguments.at(index);
        QString error;
        const QByteArray picture = SvgPicture::record(svg, &error);
        if (picture.isEmpty()) {
            std::fprintf(stderr, "kashikoro-record-pictures: %s: %s\n", qPrintable(svg), qPrintable(error));
            ++failures;
            continue;
        }
        const QFileInfo source(svg);
        const QString target = source.path() + QLatin1Char('/') + source.completeBaseName() + QStringLiteral(".qpic");
        QSaveFile file(target);
        if (!file.open(QIODevice::WriteOnly) || file.write(picture) != picture.size() || !file.commit()) {
            std::fprintf(stderr, "kashikoro-record-pictures: cannot write %s\n", qPrintable(target));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
