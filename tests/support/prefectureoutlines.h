#pragma once

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// Each prefecture's outline as the source map has it (tests/data/
// prefecture-outlines.txt, written by tools/prefectures/convert.mjs): the
// width over the height of what its picture shows, and a Grid x Grid grid
// over the picture, a row of cells a number, the highest bit the leftmost cell.
namespace PrefectureOutlines {

constexpr int Grid = 32;

struct Outline
{
    QString name;
    double widthOverHeight = 0;
    std::array<quint32, Grid> rows{};
};

// All of them in the file's order; empty when the file cannot be read whole.
inline QList<Outline> load()
{
    QFile file(qEnvironmentVariable("KASHIKORO_SOURCE_DIR") + QStringLiteral("/tests/data/prefecture-outlines.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Outline> outlines;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u' ');
        if (fields.size() != 2 + Grid)
            return {};
        Outline outline;
        outline.name = fields[0];
        bool ok = false;
        outline.widthOverHeight = fields[1].toDouble(&ok);
        for (int row = 0; ok && row < Grid; ++row)
            outline.rows[std::size_t(row)] = fields[2 + row].toUInt(&ok, 16);
        if (!ok)
            return {};
        outlines.append(outline);
    }
    return outlines;
}

} // namespace PrefectureOutlines
