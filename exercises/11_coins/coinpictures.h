#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// The pictures of これ、いくら？, one per slot of Coins: the blank picture
// and the six yen coins, each coin one drawing on white that the turned
// slots show turned.
namespace Coins {

constexpr int PictureSize = 83; // pixels
// What a place shows where there is no coin, and what shows through a coin's hole.
constexpr QRgb Background = 0xFFFFFFFF;

// Picture slot (0 to 27) as an 83 x 83 picture; at a device pixel ratio above
// 1 the image has that many more pixels and carries the ratio, so it stays
// sharp on a high-density screen. A slot outside 0 to 27 gives the blank picture.
QImage render(int slot, qreal devicePixelRatio = 1.0);

} // namespace Coins

// picProb: a place of the grid, a thin box holding one picture.
class CoinPicture : public QWidget
{
    Q_OBJECT
public:
    explicit CoinPicture(QWidget *parent = nullptr);

    int slot() const { return m_slot; }
    void setSlot(int slot);

    // Where the picture stands inside the box, in the box's pixels.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_slot = 0;
    // The picture last drawn, kept until the slot or the screen changes.
    QImage m_picture;
    int m_pictureSlot = -1;
};
