#pragma once

#include <QFont>

#include <future>
#include <memory>

class QThread;

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

// Reads the system's font configuration and its caches on a thread of its
// own. It needs no application object, so it is made first thing and reads
// while the application object connects to the display.
class ConfigurationReader
{
public:
    ConfigurationReader();
    // Returns once the configuration has been read.
    void wait() const { m_done.wait(); }

private:
    std::shared_future<void> m_done;
};

// Reads the list of installed fonts on a second thread while start-up goes
// on. No text can be measured or drawn before the list is read, and reading
// it is the slowest part of showing the first text; the list is shared by
// every thread, so the first window finds it read, or nearly. Make one right
// after install(), from the reader made before the application object; it
// waits for its thread when it goes, so it must go before the application
// object does.
class Preload
{
public:
    explicit Preload(const ConfigurationReader &configuration);
    ~Preload();
    Preload(const Preload &) = delete;
    Preload &operator=(const Preload &) = delete;

private:
    std::unique_ptr<QThread> m_thread;
};

} // namespace Fonts
