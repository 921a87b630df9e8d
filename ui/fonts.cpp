#include "ui/fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <QThread>

#if KASHIKORO_HAS_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {

const QString GothicName = QStringLiteral(u"ＭＳ ゴシック");
const QString PGothicName = QStringLiteral(u"ＭＳ Ｐゴシック");
const QString GothicBoldFace = QStringLiteral("Noto Sans Mono CJK JP");
const QString PGothicBoldFace = QStringLiteral("Noto Sans CJK JP");

QFont make(const QString &family, qreal pointSize, bool bold)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

namespace Fonts {

// Windows has the two faces the windows ask for, and draws their bold the
// way players know it (MS Gothic has no bold face; Windows thickens it). Other
// systems stand them in with IPA Gothic, then Noto CJK, whose bold faces are real.
void install()
{
#ifndef Q_OS_WIN
    QFont::insertSubstitutions(GothicName, {QStringLiteral("IPAGothic"), GothicBoldFace});
    QFont::insertSubstitutions(PGothicName, {QStringLiteral("IPAPGothic"), PGothicBoldFace});
#endif
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

QFont realBold(const QFont &font)
{
#ifdef Q_OS_WIN
    constexpr bool drawnBySystem = true;
#else
    constexpr bool drawnBySystem = false;
#endif
    if (drawnBySystem || !font.bold())
        return font;
    const QString family = font.family();
    const QString face = family == GothicName ? GothicBoldFace : family == PGothicName ? PGothicBoldFace : QString();
    if (face.isEmpty())
        return font;
    // The bold face is asked for first; without it the game face and its
    // substitutes follow, thickened by Qt as before.
    QFont bold = font;
    bold.setFamilies({face, family});
    return bold;
}

ConfigurationReader::ConfigurationReader()
    : m_done(std::async(std::launch::async, [] {
#if KASHIKORO_HAS_FONTCONFIG
          FcInit();
#endif
      }).share())
{
}

Preload::Preload(const ConfigurationReader &configuration)
    : m_thread(QThread::create([done = configuration] {
          done.wait();
          QFontDatabase::families();
      }))
{
    m_thread->start();
}

Preload::~Preload()
{
    m_thread->wait();
}

} // namespace Fonts
