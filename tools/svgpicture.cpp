#include "tools/svgpicture.h"

#include <QBuffer>
#include <QPainter>
#include <QPicture>
#include <QRectF>
#include <QSvgRenderer>

namespace SvgPicture {

QByteArray record(const QString &svgFile, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return QByteArray();
    };
    QSvgRenderer svg(svgFile);
    if (!svg.isValid())
        return fail(QStringLiteral("not a readable SVG file"));
    const QRectF viewBox = svg.viewBoxF();
    const QRect frame = viewBox.toRect();
    if (viewBox.isEmpty() || QRectF(frame) != viewBox)
        return fail(QStringLiteral("the viewBox does not lie on whole units"));
    if (svg.animated())
        return fail(QStringLiteral("an animated SVG cannot be recorded as one picture"));

    QPicture picture;
    picture.setBoundingRect(frame);
    QPainter painter;
    if (!painter.begin(&picture))
        return fail(QStringLiteral("cannot record a picture"));
    // The viewBox drawn onto itself: the renderer adds no mapping of its own,
    // so the picture holds the SVG's coordinates as they are.
    svg.render(&painter, viewBox);
    painter.end();

    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (!picture.save(&bytes))
        return fail(QStringLiteral("cannot write the picture"));
    return bytes.data();
}

} // namespace SvgPicture
