// kashikoro-assets DIR: writes every picture the game shows to PNG files at
// the size the game shows it, named by the index that fixes its meaning, so
// the art can be reviewed and checked outside the game:
//   hands/opponent-I.png, hands/player-I.png   (0 グー, 1 チョキ, 2 パー)
//   coins/slot-NN.png                          (0-3 blank, then 1, 5, 10, 50,
//                                               100, 500 yen, four turns each)
//   clock/face.png, clock/0640.png             (the face alone; with the
//                                               hands of the sample 6:40)
//   prefectures/NN.png                         (table row NN, code NN + 1)
//   sheet.png                                  (every coin in its four turns
//                                               and every silhouette with its
//                                               name, on one page for review)
// An optional second argument scales every picture (2 for a high-density screen).
// Nothing is shown, so no display is needed: the pictures are drawn on Qt's
// offscreen platform, the same on a desktop, over ssh and in a build job.

#include "exercises/10_janken/hands.h"
#include "exercises/10_janken/janken.h"
#include "exercises/11_coins/coinpictures.h"
#include "exercises/11_coins/coins.h"
#include "exercises/12_clock/clockface.h"
#include "exercises/14_prefectures/prefectures.h"
#include "exercises/14_prefectures/silhouettes.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

namespace {

int failures = 0;

void write(const QImage &image, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (image.isNull() || !image.save(path)) {
        QTextStream(stderr) << "could not write " << path << Qt::endl;
        ++failures;
    }
}

// Every coin, a column each in its four turns, then every silhouette with
// its row's name below it, each picture at the size the game shows it.
QImage contactSheet(qreal scale)
{
    constexpr int Columns = 8;
    constexpr int Gap = 8;
    constexpr int Label = 22;
    const int cell = Silhouettes::PictureSize + Gap;
    const int coinCell = Coins::PictureSize + Gap;
    const int coinRows = Coins::Orientations;
    const int prefectureRows = (Prefectures::Count + Columns - 1) / Columns;
    const QSize size(Gap + Columns * cell, Gap + coinRows * coinCell + Gap + prefectureRows * (cell + Label));
    QImage sheet(size * scale, QImage::Format_RGB32);
    sheet.setDevicePixelRatio(scale);
    sheet.fill(QColor(0xd8, 0xd8, 0xd8));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int coin = 0; coin < int(Coins::Denominations.size()); ++coin) {
        for (int turns = 0; turns < coinRows; ++turns) {
            const int slot = Coins::FirstCoinSlot + coin * Coins::Orientations + turns;
            painter.drawImage(QPointF(Gap + coin * cell, Gap + turns * coinCell), Coins::render(slot, scale));
        }
    }
    const Prefectures::Table table = Prefectures::buildTable();
    QFont font = painter.font();
    font.setPixelSize(14);
    painter.setFont(font);
    const int top = Gap + coinRows * coinCell + Gap;
    for (int row = 0; row < Prefectures::Count; ++row) {
        const QPointF at(Gap + (row % Columns) * cell, top + (row / Columns) * (cell + Label));
        QImage picture = Silhouettes::render(row, qRound(Silhouettes::PictureSize * scale));
        picture.setDevicePixelRatio(scale);
        painter.drawImage(at, picture);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(at.x(), at.y() + Silhouettes::PictureSize, Silhouettes::PictureSize, Label),
                         Qt::AlignCenter, QStringLiteral("%1 %2").arg(row + 1, 2, 10, QLatin1Char('0')).arg(table[row].name));
    }
    return sheet;
}

} // namespace

int main(int argc, char *argv[])
{
    // Qt's own -platform option still picks another platform for a look at
    // what a real screen's fonts give.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fputs("usage: kashikoro-assets DIR [SCALE]\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const qreal scale = argc == 3 ? QString::fromLocal8Bit(argv[2]).toDouble() : 1.0;
    if (scale < 1.0 || scale > 8.0) {
        std::fputs("SCALE is a number from 1 to 8\n", stderr);
        return 2;
    }
    const auto name = [&folder](const QString &relative) { return folder + QLatin1Char('/') + relative; };
    const auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };

    for (int hand = 0; hand < Janken::HandCount; ++hand) {
        write(Hands::render(hand, true, Hands::OpponentSize, scale), name(QStringLiteral("hands/opponent-%1.png").arg(hand)));
        write(Hands::render(hand, false, Hands::ButtonSize, scale), name(QStringLiteral("hands/player-%1.png").arg(hand)));
    }
    for (int slot = 0; slot < Coins::PictureCount; ++slot)
        write(Coins::render(slot, scale), name(QStringLiteral("coins/slot-%1.png").arg(two(slot))));
    QImage face(QSize(ClockFace::FaceSize, ClockFace::FaceSize) * scale, QImage::Format_ARGB32_Premultiplied);
    face.setDevicePixelRatio(scale);
    face.fill(Qt::white);
    {
        QPainter painter(&face);
        painter.setRenderHint(QPainter::Antialiasing);
        ClockFace::paintFace(painter);
    }
    write(face, name(QStringLiteral("clock/face.png")));
    write(ClockFace::image(6, 40, scale), name(QStringLiteral("clock/0640.png")));
    for (int row = 0; row < Prefectures::Count; ++row)
        write(Silhouettes::render(row, qRound(Silhouettes::PictureSize * scale)),
              name(QStringLiteral("prefectures/%1.png").arg(two(row))));

    write(contactSheet(scale), name(QStringLiteral("sheet.png")));

    return failures == 0 ? 0 : 1;
}
