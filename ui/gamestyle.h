#pragma once

#include <QProxyStyle>

// The platform's own style, with one change: the pictures of the arrow
// buttons that toolbars and menu bars keep for items that do not fit are only
// read when such a button is first drawn. Qt reads them as soon as a menu bar
// is made, and reading a picture of a format not given loads every image
// plug-in to ask whether it knows it: milliseconds of every start, for a
// button the menu never shows.
class GameStyle : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
