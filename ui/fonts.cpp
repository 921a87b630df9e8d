#include "ui/fonts.h"

#include <QStringList>

namespace {

const QString GothicName = QStringLiteral(u"ＭＳ ゴシック");
const QString PGothicName = QStringLiteral(u"ＭＳ Ｐゴシック");

QFont make(const QString &family, qreal pointSize, bool bold)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

namespace Fonts {

void install()
{
    QFont::insertSubstitutions(GothicName, {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
    QFont::insertSubstitutions(PGothicName, {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
}

QFont gothic(qreal pointSize, bool bold)
{
    QFont font = make(GothicName, pointSize, bold);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::Monospace);
    return font;
}

QFont pGothic(qreal pointSize, bool bold)
{
    return make(PGothicName, pointSize, bold);
}

} // namespace Fonts
