#include "exercises/10_janken/hands.h"

#include "assets/recordedpicture.h"
#include "exercises/10_janken/janken.h"
#include "ui/focusmark.h"

#include <QPainter>
#include <QPicture>
#include <QTransform>

#include <array>

namespace {

// The drawing of hand index, read once; null for an index that is no hand.
QPicture drawing(int index)
{
    static const std::array<QString, Janken::HandCount> files = {
        QStringLiteral(":/assets/hands/rock.qpic"),
        QStringLiteral(":/assets/hands/scissors.qpic"),
        QStringLiteral(":/assets/hands/paper.qpic"),
    };
    static std::array<QPicture, Janken::HandCount> loaded;
    if (index < 0 || index >= Janken::HandCount)
        return QPicture();
    if (loaded[index].isNull())
        loaded[index] = RecordedPicture::load(files[index]);
    return loaded[index];
}

// A one-pixel 3D edge: raised with light above and left, sunken the other way round.
void drawEdge(QPainter &painter, const QRect &area, const QColor &aboveLeft, const QColor &belowRight)
{
    const QRect edge = area.adjusted(0, 0, -1, -1);
    painter.setPen(aboveLeft);
    painter.drawLine(edge.topLeft(), edge.topRight());
    painter.drawLine(edge.topLeft(), edge.bottomLeft());
    painter.setPen(belowRight);
    painter.drawLine(edge.bottomLeft(), edge.bottomRight());
    painter.drawLine(edge.topRight(), edge.bottomRight());
}

const QColor EdgeLight = Qt::white;
const QColor EdgeDark(0x60, 0x60, 0x60);

} // namespace

namespace Hands {

QImage render(int index, bool pointingDown, int size, qreal devicePixelRatio)
{
    const int pixels = qMax(1, qRound(size * devicePixelRatio));
    QImage image = RecordedPicture::image(drawing(index), pixels, QColor::fromRgb(Ground));
    // A half turn moves every pixel to its place exactly: the opponent's hand
    // is the player's drawing, not a second one.
    if (pointingDown)
        image = image.transformed(QTransform().rotate(180));
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

void Picture::update(int hand, bool pointingDown, int size, qreal devicePixelRatio)
{
    if (!image.isNull() && m_hand == hand && m_pointingDown == pointingDown && m_size == size
        && image.devicePixelRatio() == devicePixelRatio)
        return;
    image = render(hand, pointingDown, size, devicePixelRatio);
    m_hand = hand;
    m_pointingDown = pointingDown;
    m_size = size;
}

} // namespace Hands

HandPicture::HandPicture(QWidget *parent) : QWidget(parent)
{
}

void HandPicture::setHand(int hand)
{
    if (m_hand == hand)
        return;
    m_hand = hand;
    update();
}

QRect HandPicture::pictureRect() const
{
    QRect place(0, 0, Hands::OpponentSize, Hands::OpponentSize);
    place.moveCenter(rect().center());
    return place;
}

void HandPicture::paintEvent(QPaintEvent *)
{
    m_picture.update(m_hand, true, Hands::OpponentSize, devicePixelRatioF());
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(Hands::Ground));
    const QRect place = pictureRect();
    painter.drawImage(place, m_picture.image);
    // The arm reaches in from the opponent's side: the picture's top row,
    // where the arm is cut off, goes on up to the edge of the box.
    const QImage &image = m_picture.image;
    painter.drawImage(QRect(place.left(), 0, place.width(), place.top()), image, QRect(0, 0, image.width(), 1));
    // Sunken, as a picture box is.
    drawEdge(painter, rect(), EdgeDark, EdgeLight);
}

HandButton::HandButton(QWidget *parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void HandButton::setHand(int hand)
{
    if (m_hand == hand)
        return;
    m_hand = hand;
    update();
}

void HandButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool down = isDown();
    const QRect face = rect();
    QRect place(0, 0, Hands::ButtonSize, Hands::ButtonSize);
    place.moveCenter(face.center());
    if (down)
        place.translate(1, 1);
    m_picture.update(m_hand, false, Hands::ButtonSize, devicePixelRatioF());
    painter.fillRect(face, QColor::fromRgb(Hands::Ground));
    painter.drawImage(place, m_picture.image);

    if (!isEnabled())
        painter.fillRect(face, QColor(0xF0, 0xF0, 0xF0, 140));

    // Raised, and sunken while held.
    if (down)
        drawEdge(painter, face, EdgeDark, EdgeLight);
    else
        drawEdge(painter, face, EdgeLight, EdgeDark);

    if (FocusMark::shows(this)) {
        FocusMark::paint(painter, face);
    } else if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(face.adjusted(2, 2, -3, -3));
    }
}
