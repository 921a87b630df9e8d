#pragma once

#include "exercises/14_prefectures/prefectures.h"

#include <QImage>
#include <QPicture>
#include <QPushButton>
#include <QRectF>
#include <QString>

#include <array>

class QPainter;
class QStyleOptionButton;

// The 47 prefecture silhouettes: each the prefecture's outline filled black on
// a white square, one vector picture per prefecture compiled into the game
// (assets/prefectures/NN.qpic, recorded from NN.svg beside it; NN the national
// prefecture code, that is table row + 1). They are drawn from the vectors at
// whatever size is asked, so they stay crisp at every display scale.
namespace Silhouettes {

// The size the game's pictures are made for, in pixels.
constexpr int PictureSize = 133;

// Where the silhouette of table row index is kept (":/assets/prefectures/NN.qpic").
QString picturePath(int index);

// The silhouette of table row index, size x size pixels, black on white; a
// null image for a row that does not exist. For tools that write the
// pictures out (QImage::save) as much as for the game's own checks.
QImage render(int index, int size = PictureSize);

} // namespace Silhouettes

// The window's invisible picture holders imgPic(0) to imgPic(46): every
// silhouette loaded once, drawn on request.
class SilhouetteSet
{
public:
    SilhouetteSet();
    SilhouetteSet(const SilhouetteSet &) = delete;
    SilhouetteSet &operator=(const SilhouetteSet &) = delete;

    // True when every one of the 47 pictures could be read.
    bool isComplete() const;
    // Draws picture index into target (a square), white ground included.
    void draw(QPainter &painter, const QRectF &target, int index) const;

private:
    std::array<QPicture, Prefectures::Count> m_pictures;
};

// A button without caption that shows one silhouette on its face, as large as
// the face allows. Disabled, it shows the picture greyed.
class SilhouetteButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    // Shows picture index of pictures (not owned; they outlive the button).
    void setPicture(const SilhouetteSet &pictures, int index);
    // The row whose silhouette is on the face; -1 before any.
    int pictureIndex() const { return m_index; }
    // The square the picture takes, in the button's pixels.
    QRect pictureArea() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawSilhouette(QPainter &painter, const QStyleOptionButton &option);

    const SilhouetteSet *m_pictures = nullptr;
    int m_index = -1;
};
