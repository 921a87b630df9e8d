#include "assets/recordedpicture.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QSizeF>
#include <QTransform>

#include <algorithm>

namespace {

// The viewBox mapping of the SVG renderer, step for step: stretched, or
// scaled as far as both sides allow and centred.
void mapFrame(QPainter &painter, const QRectF &frame, const QRectF &target, Qt::AspectRatioMode aspect)
{
    if (frame == target)
        return;
    if (aspect == Qt::KeepAspectRatio) {
        QSizeF size = frame.size();
        size.scale(target.size(), Qt::KeepAspectRatio);
        painter.translate(target.x() + (target.width() - size.width()) / 2,
                          target.y() + (target.height() - size.height()) / 2);
        painter.scale(size.width() / frame.width(), size.height() / frame.height());
        painter.translate(-frame.x(), -frame.y());
        return;
    }
    const qreal sx = target.width() / frame.width();
    const qreal sy = target.height() / frame.height();
    painter.translate(target.x() - frame.x() * sx, target.y() - frame.y() * sy);
    painter.scale(sx, sy);
}

// Replays the recording straight onto the painter's device.
void play(QPainter &painter, const QPicture &picture, const QRectF &target, Qt::AspectRatioMode aspect)
{
    painter.save();
    mapFrame(painter, picture.boundingRect(), target, aspect);
    // A picture scales its replay by the device's dots per inch over its own
    // (the primary screen's). The recording is in its frame's units on every
    // device, an image or a window on any screen, so that scale is undone.
    const QPaintDevice *device = painter.device();
    if (device->logicalDpiX() != picture.logicalDpiX() || device->logicalDpiY() != picture.logicalDpiY()) {
        painter.scale(qreal(picture.logicalDpiX()) / device->logicalDpiX(),
                      qreal(picture.logicalDpiY()) / device->logicalDpiY());
    }
    painter.drawPicture(0, 0, picture);
    painter.restore();
}

// The recording sets opacity (the SVG's fill and stroke opacity), clipping and
// composition mode for itself, replacing the painter's: with any of those
// set, the picture is drawn through a layer the painter's state applies to.
bool takesPainterStateAsItIs(const QPainter &painter)
{
    return painter.opacity() >= 1.0 && !painter.hasClipping()
        && painter.compositionMode() == QPainter::CompositionMode_SourceOver;
}

} // namespace

namespace RecordedPicture {

QPicture load(const QString &path)
{
    QPicture picture;
    if (!picture.load(path) || picture.boundingRect().isEmpty())
        return QPicture();
    return picture;
}

void draw(QPainter &painter, const QPicture &picture, const QRectF &target, Qt::AspectRatioMode aspect)
{
    if (picture.isNull() || target.isEmpty() || !painter.isActive())
        return;
    if (takesPainterStateAsItIs(painter)) {
        play(painter, picture, target, aspect);
        return;
    }
    // The layer has the device's own pixels under target, drawn with the
    // painter's transform, and is laid back pixel for pixel with the
    // transform reset. Both in the painter's own coordinates in device pixels
    // (its combined transform holds the device's pixel ratio): a widget's
    // painter adds the widget's place in its window on top of those, to the
    // layer as to anything else it draws.
    const qreal ratio = std::max(qreal(1), painter.device()->devicePixelRatio());
    const QTransform toPixels = painter.combinedTransform();
    const QRect pixels = toPixels.mapRect(target).toAlignedRect();
    if (pixels.isEmpty())
        return;
    QImage layer(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter layerPainter(&layer);
        layerPainter.setRenderHints(painter.renderHints());
        layerPainter.setTransform(toPixels * QTransform::fromTranslate(-pixels.x(), -pixels.y()));
        play(layerPainter, picture, target, aspect);
    }
    layer.setDevicePixelRatio(ratio);
    painter.save();
    painter.resetTransform();
    painter.drawImage(QPointF(pixels.topLeft()) / ratio, layer);
    painter.restore();
}

QImage image(const QPicture &picture, int pixels, const QColor &ground, QImage::Format format)
{
    QImage image(pixels, pixels, format);
    image.fill(ground);
    if (!picture.isNull()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter, picture, QRectF(0, 0, pixels, pixels));
    }
    return image;
}

} // namespace RecordedPicture
