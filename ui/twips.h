#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>

// Windows are laid out in twips, as the game was designed: 15 twips to one
// logical pixel. Qt's high-DPI scaling takes it from there.
namespace Twips {

constexpr int toPixels(int twips)
{
    return (twips + (twips >= 0 ? 7 : -7)) / 15;
}

constexpr QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

constexpr QRect rect(const QRect &twips)
{
    return rect(twips.left(), twips.top(), twips.width(), twips.height());
}

constexpr QSize size(int width, int height)
{
    return QSize(toPixels(width), toPixels(height));
}

inline void place(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(rect(left, top, width, height));
}

inline void move(QWidget *widget, int left, int top)
{
    widget->move(toPixels(left), toPixels(top));
}

} // namespace Twips
