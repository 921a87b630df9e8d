#include "exercises/14_prefectures/silhouettes.h"

#include "assets/recordedpicture.h"
#include "ui/focusmark.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace {

// How strongly a disabled button still shows its silhouette.
constexpr qreal DisabledOpacity = 0.45;

bool isRow(int index)
{
    return index >= 0 && index < Prefectures::Count;
}

} // namespace

namespace Silhouettes {

QString picturePath(int index)
{
    return QStringLiteral(":/assets/prefectures/%1.qpic").arg(index + 1, 2, 10, QLatin1Char('0'));
}

QImage render(int index, int size)
{
    if (!isRow(index) || size <= 0)
        return QImage();
    const QPicture picture = RecordedPicture::load(picturePath(index));
    if (picture.isNull())
        return QImage();
    return RecordedPicture::image(picture, size, Qt::white, QImage::Format_RGB32);
}

} // namespace Silhouettes

SilhouetteSet::SilhouetteSet()
{
    for (int index = 0; index < Prefectures::Count; ++index)
        m_pictures[index] = RecordedPicture::load(Silhouettes::picturePath(index));
}

bool SilhouetteSet::isComplete() const
{
    return std::all_of(m_pictures.begin(), m_pictures.end(),
                       [](const QPicture &picture) { return !picture.isNull(); });
}

void SilhouetteSet::draw(QPainter &painter, const QRectF &target, int index) const
{
    if (!isRow(index) || m_pictures[index].isNull())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    RecordedPicture::draw(painter, m_pictures[index], target);
    painter.restore();
}

void SilhouetteButton::setPicture(const SilhouetteSet &pictures, int index)
{
    m_pictures = &pictures;
    m_index = index;
    update();
}

QRect SilhouetteButton::pictureArea() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const int side = std::min(contents.width(), contents.height());
    QRect square(0, 0, side, side);
    square.moveCenter(contents.center());
    return square;
}

void SilhouetteButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);
    if (m_pictures && isRow(m_index))
        drawSilhouette(painter, option);
    // Over the picture, which would hide the style's own focus frame.
    if (FocusMark::shows(this))
        FocusMark::paint(painter, rect());
}

void SilhouetteButton::drawSilhouette(QPainter &painter, const QStyleOptionButton &option)
{
    painter.save();
    QRectF area = pictureArea();
    if (isDown()) {
        area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    if (!isEnabled()) {
        // A white ground, and the silhouette on it in grey.
        painter.fillRect(area, Qt::white);
        painter.setOpacity(DisabledOpacity);
    }
    m_pictures->draw(painter, area, m_index);
    painter.restore();
}
