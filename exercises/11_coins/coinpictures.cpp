#include "exercises/11_coins/coinpictures.h"

#include "assets/recordedpicture.h"
#include "exercises/11_coins/coins.h"

#include <QPainter>
#include <QPicture>
#include <QTransform>

#include <array>

namespace {

// The drawing of the coin worth Denominations[i], upright, read once.
QPicture drawing(int denomination)
{
    static std::array<QPicture, Coins::Denominations.size()> loaded;
    if (denomination < 0 || denomination >= int(loaded.size()))
        return QPicture();
    if (loaded[denomination].isNull()) {
        const QString file = QStringLiteral(":/assets/coins/coin%1.qpic").arg(Coins::Denominations[denomination]);
        loaded[denomination] = RecordedPicture::load(file);
    }
    return loaded[denomination];
}

} // namespace

namespace Coins {

QImage render(int slot, qreal devicePixelRatio)
{
    const int pixels = qMax(1, qRound(PictureSize * devicePixelRatio));
    const bool coin = slot >= 0 && slot < PictureCount && !isBlank(slot);
    QImage image = RecordedPicture::image(coin ? drawing((slot - FirstCoinSlot) / Orientations) : QPicture(), pixels,
                                          QColor::fromRgb(Background));
    // Quarter turns move every pixel to its place exactly: a turned coin is
    // the upright drawing turned, never a drawing of its own.
    if (const int turns = coin ? quarterTurns(slot) : 0)
        image = image.transformed(QTransform().rotate(90.0 * turns));
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

} // namespace Coins

CoinPicture::CoinPicture(QWidget *parent) : QWidget(parent)
{
}

void CoinPicture::setSlot(int slot)
{
    if (m_slot == slot)
        return;
    m_slot = slot;
    update();
}

QRect CoinPicture::pictureRect() const
{
    QRect place(0, 0, Coins::PictureSize, Coins::PictureSize);
    place.moveCenter(rect().center());
    return place;
}

void CoinPicture::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_picture.isNull() || m_pictureSlot != m_slot || m_picture.devicePixelRatio() != ratio) {
        m_picture = Coins::render(m_slot, ratio);
        m_pictureSlot = m_slot;
    }
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(Coins::Background));
    painter.drawImage(pictureRect(), m_picture);
    // One thin grey line round the place; neighbouring places share it.
    painter.setPen(QColor(0x90, 0x90, 0x90));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
