#pragma once

#include <QColor>
#include <QImage>
#include <QPicture>
#include <QRectF>
#include <QString>

class QPainter;

// The game's vector pictures: each SVG under assets/ recorded once as a
// QPicture (tools/record-pictures.sh), compiled into the ui library beside
// the sounds and reached as :/assets/<set>/<name>.qpic. A recorded picture
// holds the drawing in the SVG's own units, its bounding rect the SVG's viewBox.
namespace RecordedPicture {

// The picture kept at path; a null picture when it cannot be read.
QPicture load(const QString &path);

// Draws picture with its frame (the viewBox it was recorded from) filling
// target, as the SVG renderer maps a viewBox into the bounds it is given:
// stretched to target by default, or with its aspect kept and centred in it
// for Qt::KeepAspectRatio (Qt::KeepAspectRatioByExpanding stretches, as there).
// The painter's transform, opacity, clipping and composition mode apply to
// the picture as a whole; the painter's state is left as it was. A null
// picture or an empty target draws nothing.
void draw(QPainter &painter, const QPicture &picture, const QRectF &target,
          Qt::AspectRatioMode aspect = Qt::IgnoreAspectRatio);

// A square image of pixels across on ground, with picture drawn over the
// whole of it (antialiased); just the ground for a null picture.
QImage image(const QPicture &picture, int pixels, const QColor &ground,
             QImage::Format format = QImage::Format_ARGB32_Premultiplied);

} // namespace RecordedPicture
