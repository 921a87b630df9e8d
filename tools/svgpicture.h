#pragma once

#include <QByteArray>
#include <QString>

// An SVG drawing recorded once as a QPicture, the vector drawing Qt Gui keeps
// and replays by itself, so the game draws its pictures without Qt SVG and
// without parsing anything at run time.
namespace SvgPicture {

// The picture file (QPicture::save) of the SVG file svgFile: every stroke the
// SVG renderer makes, in the SVG's own user units, and the viewBox as the
// picture's bounding rect, the frame the game maps into its target. The
// viewBox must lie on whole units, as a picture's bounding rect does. Empty,
// with *error saying why, when the file cannot be read or recorded.
// The same file and the same Qt give the same bytes.
QByteArray record(const QString &svgFile, QString *error = nullptr);

} // namespace SvgPicture
