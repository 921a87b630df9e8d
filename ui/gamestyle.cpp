#include "ui/gamestyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

namespace {

// An icon whose pictures are made the first time anything asks about them.
class DeferredIconEngine : public QIconEngine
{
public:
    explicit DeferredIconEngine(std::function<QIcon()> make) : m_make(std::move(make)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return icon().isNull(); }
    QString key() const override { return QStringLiteral("deferred"); }
    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }

private:
    QIcon &icon()
    {
        if (!m_icon)
            m_icon = m_make();
        return *m_icon;
    }

    std::function<QIcon()> m_make;
    std::optional<QIcon> m_icon;
};

} // namespace

QIcon GameStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                              const QWidget *widget) const
{
    if (standardIcon != SP_ToolBarHorizontalExtensionButton && standardIcon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    // Menu bars and toolbars ask for these two without a style option, so
    // none is kept for later.
    const QPointer<QWidget> asker(const_cast<QWidget *>(widget));
    const QPointer<GameStyle> style(const_cast<GameStyle *>(this));
    return QIcon(new DeferredIconEngine([style, standardIcon, asker] {
        return style ? style->baseStyle()->standardIcon(standardIcon, nullptr, asker.data()) : QIcon();
    }));
}
