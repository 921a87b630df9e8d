#pragma once

#include <QColor>
#include <QImage>
#include <QPushButton>
#include <QWidget>

// The hand pictures of じゃんけんぽん: a white hand with a black outline on
// grey, one drawing per hand (rock, scissors, paper, in the order of
// Janken::Hand), drawn fingers up as the player holds it. The opponent's hand
// is the same drawing turned upside down, reaching across the table.
namespace Hands {

constexpr int OpponentSize = 112; // the opponent's picture, in pixels
constexpr int ButtonSize = 53;    // the player's buttons, in pixels
// The grey the hands stand on.
constexpr QRgb Ground = 0xFFB4B4B4;

// Hand index (0 rock, 1 scissors, 2 paper) as a size x size picture, fingers
// down or up; at a device pixel ratio above 1 the image has that many more
// pixels and carries the ratio, so it stays sharp on a high-density screen.
// An index outside 0 to 2 gives the bare grey ground.
QImage render(int index, bool pointingDown, int size, qreal devicePixelRatio = 1.0);

// The picture a widget last drew, drawn again only when what it shows or the screen changes.
struct Picture
{
    QImage image;
    void update(int hand, bool pointingDown, int size, qreal devicePixelRatio);

private:
    int m_hand = -1;
    bool m_pointingDown = false;
    int m_size = 0;
};

} // namespace Hands

// picGCP: the box the opponent's hand appears in, a sunken grey box with the
// picture in the middle and the arm reaching in from the opponent's side.
class HandPicture : public QWidget
{
    Q_OBJECT
public:
    explicit HandPicture(QWidget *parent = nullptr);

    int hand() const { return m_hand; }
    void setHand(int hand);

    // Where the picture stands inside the box, in the box's pixels.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_hand = 0;
    Hands::Picture m_picture;
};

// cmdGCP: a hand button, its face the player's hand (fingers up) with no
// caption. It looks pressed while held and faded while the game waits for Start.
class HandButton : public QPushButton
{
    Q_OBJECT
public:
    explicit HandButton(QWidget *parent = nullptr);

    int hand() const { return m_hand; }
    void setHand(int hand);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_hand = 0;
    Hands::Picture m_picture;
};
