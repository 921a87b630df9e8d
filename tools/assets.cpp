// kashikoro-assets DIR: writes every picture the game shows to PNG files at
// the size the game shows it, named by the index that fixes its meaning, so
// the art can be reviewed and checked outside the game:
//   hands/opponent-I.png, hands/player-I.png   (0 グー, 1 チョキ, 2 パー)
//   coins/slot-NN.png                          (0-3 blank, then 1, 5, 10, 50,
//                                               100, 500 yen, four turns each)
//   clock/face.png, clock/0640.png             (the face alone; with the
//                                               hands of the sample 6:40)
//   prefectures/NN.png                         (table row NN, code NN + 1)
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

    return failures == 0 ? 0 : 1;
}
