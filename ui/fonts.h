#pragma once

#include <QFont>

// The game's two typefaces. They are asked for by their Windows names and
// mapped to the metric-compatible IPA fonts (then Noto CJK) by substitution.
namespace Fonts {

// Registers the substitutions; call once after the application object exists.
void install();

// "ＭＳ ゴシック": fixed pitch, a full-width character two half-widths wide.
QFont gothic(qreal pointSize, bool bold = false);
// "ＭＳ Ｐゴシック": proportional.
QFont pGothic(qreal pointSize, bool bold = false);

} // namespace Fonts
