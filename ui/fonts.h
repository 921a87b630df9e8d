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

// A bold font drawn with a real bold face (Noto Sans CJK JP Bold, or its
// fixed-pitch cut for "ＭＳ ゴシック"). Neither game face has a bold weight; the
// thickening Qt does in its place is lost on text drawn at 64 device pixels or
// more (a large digit, or middling text on a high-density screen). The bold
// face's line box is taller than the game faces', so this is for text placed
// by its ink, not by its line. A font that is not bold, or not one of the
// game's two faces, comes back as it is; so does every font when the bold
// face is not installed.
QFont realBold(const QFont &font);

} // namespace Fonts
