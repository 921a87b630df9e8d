// kashikoro-render-icons: draws the game's icon, an SVG picture, at the pixel
// sizes the game loads as its window icon, one PNG file per size.
//
//   kashikoro-render-icons SVG FOLDER SIZE...
//
// Writes FOLDER/kashikoro-SIZE.png for each size. tools/render-icons.sh runs it
// on assets/kashikoro.svg; the game itself never reads the SVG at start-up.

#include <QGuiApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    // No screen is needed to draw into an image.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fputs("usage: kashikoro-render-icons SVG FOLDER SIZE...\n", stderr);
        return 2;
    }
    QSvgRenderer picture(arguments.at(1));
    if (!picture.isValid()) {
        std::fprintf(stderr, "kashikoro-render-icons: cannot read %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    const QDir folder(arguments.at(2));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "kashikoro-render-icons: cannot make %s\n", qPrintable(arguments.at(2)));
        return 1;
    }
    const QString baseName = QFileInfo(arguments.at(1)).completeBaseName();
    for (qsizetype index = 3; index < arguments.size(); ++index) {
        bool isNumber = false;
        const int size = arguments.at(index).toInt(&isNumber);
        if (!isNumber || size < 1 || size > 1024) {
            std::fprintf(stderr, "kashikoro-render-icons: not a size: %s\n", qPrintable(arguments.at(index)));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        picture.render(&painter);
        painter.end();
        const QString file = folder.filePath(QStringLiteral("%1-%2.png").arg(baseName).arg(size));
        if (!image.convertToFormat(QImage::Format_ARGB32).save(file, "PNG")) {
            std::fprintf(stderr, "kashikoro-render-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
