#include "app/windowicon.h"

#include <QImageReader>
#include <QPixmap>
#include <QString>

QIcon windowIcon()
{
    // Drawn beforehand from assets/kashikoro.svg (tools/render-icons.sh), so
    // that starting the game draws no picture. The files are read as PNG
    // outright: a reader left to guess would load every image plug-in first
    // to ask whether it knows the format.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        QImageReader reader(QStringLiteral(":/assets/icons/kashikoro-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
