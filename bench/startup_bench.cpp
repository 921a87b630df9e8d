// Start-up time: how long the game takes to put its windows on screen against
// an empty Qt Widgets program built alongside it, and against the same
// program showing one line of Japanese text (the least any window of the
// game costs: the fonts found and read). All are started in turn on the same
// X display, N times each; the time runs from the start of the
// process to the mapping of its window, seen from outside (the game is not
// changed for it). The game is started as on a first start, without a
// settings file, so the splash, the menu and the notice all appear. Beside
// the time on the clock it shows the processor time the program's main thread
// had used by then, which a busy machine disturbs far less.
//
//   kashikoro-startup [runs] [game] [empty]     (20 runs; the programs beside this one)
//
// Run it on a display of its own: xvfb-run -a kashikoro-startup. On a busy
// machine the times on the clock spread widely; the ratios of the medians
// hold better, those of processor time best.

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// The windows timed, known by their titles.
enum Window { Splash, Menu, Notice, Empty, Text, WindowCount };
const char *const WindowNames[WindowCount] = {"splash", "menu", "notice", "empty", "text"};

const std::string MenuTitle = "カシコロ";
const std::string SplashTitle = "ﾊﾞｰｼﾞｮﾝ";
const std::string NoticeTitle = "お知らせ";
const std::string EmptyTitle = "kashikoro-empty";
const std::string TextTitle = "kashikoro-text";

constexpr auto GiveUpAfter = std::chrono::seconds(30);

class Display
{
public:
    Display()
    {
        m_connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_connection)) {
            std::fprintf(stderr, "kashikoro-startup: no X display (run it under xvfb-run -a)\n");
            std::exit(2);
        }
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, screen->root, XCB_CW_EVENT_MASK, &mask);
        m_title = atom("_NET_WM_NAME");
        m_utf8 = atom("UTF8_STRING");
        xcb_flush(m_connection);
    }
    ~Display() { xcb_disconnect(m_connection); }

    // Drops whatever happened on the display so far.
    void drain()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
            std::free(event);
    }

    // The title of the next window mapped on the display, and when it was
    // seen; nothing when none is mapped before the deadline.
    std::optional<std::pair<std::string, Clock::time_point>> nextMapped(Clock::time_point deadline)
    {
        for (;;) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
                const auto seen = Clock::now();
                const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
                const xcb_window_t window = mapped ? reinterpret_cast<xcb_map_notify_event_t *>(event)->window : 0;
                std::free(event);
                if (mapped)
                    return std::make_pair(title(window), seen);
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                return std::nullopt;
            pollfd wait{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            poll(&wait, 1, static_cast<int>(left));
        }
    }

private:
    xcb_atom_t atom(const char *name)
    {
        auto *reply = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return found;
    }

    std::string title(xcb_window_t window)
    {
        auto *reply = xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, m_title, m_utf8, 0, 256), nullptr);
        std::string text;
        if (reply) {
            text.assign(static_cast<const char *>(xcb_get_property_value(reply)),
                        static_cast<size_t>(xcb_get_property_value_length(reply)));
            std::free(reply);
        }
        return text;
    }

    xcb_connection_t *m_connection = nullptr;
    xcb_atom_t m_title = XCB_ATOM_NONE;
    xcb_atom_t m_utf8 = XCB_ATOM_NONE;
};

// The programs' runtime folder (XDG_RUNTIME_DIR), in memory where it can be,
// as a desktop session's is, and emptied before each start: a game ended by
// the benchmark leaves its single-instance lock behind, which a player's
// game, ended by closing it, never does.
fs::path runtimeFolder;

void emptyRuntimeFolder()
{
    fs::remove_all(runtimeFolder);
    fs::create_directory(runtimeFolder);
    fs::permissions(runtimeFolder, fs::perms::owner_all, fs::perm_options::replace);
}

pid_t start(const fs::path &program, const char *argument)
{
    emptyRuntimeFolder();
    const pid_t child = fork();
    if (child == 0) {
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        execl(program.c_str(), program.c_str(), argument, static_cast<char *>(nullptr));
        _exit(127);
    }
    return child;
}

void stop(pid_t child)
{
    kill(child, SIGKILL);
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// The processor time a process's main thread has used so far, in milliseconds.
double processorTime(pid_t process)
{
    const std::string path = "/proc/" + std::to_string(process) + "/schedstat";
    unsigned long long nanoseconds = 0;
    if (FILE *file = std::fopen(path.c_str(), "r")) {
        if (std::fscanf(file, "%llu", &nanoseconds) != 1)
            nanoseconds = 0;
        std::fclose(file);
    }
    return nanoseconds / 1e6;
}

struct Start
{
    std::vector<double> times = std::vector<double>(WindowCount, -1);
    std::vector<double> processor = std::vector<double>(WindowCount, -1);
};

// One start of a program: the milliseconds until each of the awaited windows
// was mapped, on the clock and of processor time. The program is ended once
// the last of them is up.
std::optional<Start> timeStart(Display &display, const fs::path &program, const std::vector<Window> &awaited,
                               const char *argument = nullptr)
{
    display.drain();
    Start result;
    size_t seen = 0;
    const auto started = Clock::now();
    const pid_t child = start(program, argument);
    if (child < 0)
        return std::nullopt;
    while (seen < awaited.size()) {
        const auto mapped = display.nextMapped(started + GiveUpAfter);
        if (!mapped)
            break;
        const std::string &title = mapped->first;
        std::optional<Window> which;
        if (title == EmptyTitle)
            which = Empty;
        else if (title == TextTitle)
            which = Text;
        else if (title == SplashTitle)
            which = Splash;
        else if (title == NoticeTitle)
            which = Notice;
        else if (title.rfind(MenuTitle, 0) == 0)
            which = Menu;
        if (which && std::find(awaited.begin(), awaited.end(), *which) != awaited.end()
            && result.times[*which] < 0) {
            result.times[*which] = std::chrono::duration<double, std::milli>(mapped->second - started).count();
            result.processor[*which] = processorTime(child);
            ++seen;
        }
    }
    stop(child);
    if (seen < awaited.size())
        return std::nullopt;
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const fs::path here = fs::canonical("/proc/self/exe").parent_path();
    const fs::path gameSource = argc > 2 ? fs::path(argv[2]) : here / "カシコロ";
    const fs::path emptySource = argc > 3 ? fs::path(argv[3]) : here / "kashikoro-empty";

    // Both programs run from a folder of their own: the game finds no settings
    // file there (a first start) and its single-instance lock is its own, in a
    // runtime folder of their own.
    char folderName[] = "/tmp/kashikoro-startup-XXXXXX";
    if (!mkdtemp(folderName)) {
        std::perror("kashikoro-startup");
        return 2;
    }
    const fs::path folder(folderName);
    const fs::path game = folder / gameSource.filename();
    const fs::path empty = folder / emptySource.filename();
    fs::copy_file(gameSource, game);
    fs::copy_file(emptySource, empty);
    char runtimeName[] = "/dev/shm/kashikoro-startup-XXXXXX";
    runtimeFolder = mkdtemp(runtimeName) ? fs::path(runtimeName) : folder / "runtime";
    setenv("XDG_RUNTIME_DIR", runtimeFolder.c_str(), 1);
    // A virtual display has no session bus. Left to themselves, both programs
    // would try to launch one (the game at its first label, the empty one
    // after its window is up); an address that refuses at once stands in for
    // a desktop's bus, which answers at once.
    if (!std::getenv("DBUS_SESSION_BUS_ADDRESS")) {
        const std::string refused = "unix:path=" + (runtimeFolder / "no-bus").string();
        setenv("DBUS_SESSION_BUS_ADDRESS", refused.c_str(), 1);
    }

    Display display;
    const std::vector<Window> gameWindows = {Splash, Menu, Notice};
    const std::vector<Window> emptyWindows = {Empty};
    const std::vector<Window> textWindows = {Text};
    std::vector<std::vector<double>> times(WindowCount);
    std::vector<std::vector<double>> processor(WindowCount);
    int failures = 0;

    // One round of each first, not counted: caches warm up.
    timeStart(display, empty, emptyWindows);
    timeStart(display, empty, textWindows, "--text");
    timeStart(display, game, gameWindows);
    for (int round = 0; round < runs; ++round) {
        // In turn, and which one goes first turns too.
        for (int turn = 0; turn < 3; ++turn) {
            const int which = (round + turn) % 3;
            const auto result = which == 0   ? timeStart(display, game, gameWindows)
                                : which == 1 ? timeStart(display, empty, emptyWindows)
                                             : timeStart(display, empty, textWindows, "--text");
            if (!result) {
                ++failures;
                continue;
            }
            for (int window = 0; window < WindowCount; ++window) {
                if (result->times[window] >= 0) {
                    times[window].push_back(result->times[window]);
                    processor[window].push_back(result->processor[window]);
                }
            }
        }
    }
    fs::remove_all(folder);
    fs::remove_all(runtimeFolder);

    if (times[Empty].empty() || times[Menu].empty()) {
        std::fprintf(stderr, "kashikoro-startup: no window was seen (%d failed starts)\n", failures);
        return 1;
    }
    const double yardstick = median(times[Empty]);
    const double processorYardstick = median(processor[Empty]);
    std::printf("Start-up, %d starts each in turn, against an empty Qt Widgets program\n"
                "(window mapped: median time on the clock, fastest-slowest, ratio; main-thread processor time, ratio):\n",
                runs);
    for (const Window window : {Empty, Text, Splash, Menu, Notice}) {
        const auto &values = times[window];
        if (values.empty())
            continue;
        std::printf("  %-7s %7.1f ms  (%6.1f-%6.1f)  %.2fx   cpu %6.1f ms  %.2fx\n", WindowNames[window],
                    median(values), *std::min_element(values.begin(), values.end()),
                    *std::max_element(values.begin(), values.end()), median(values) / yardstick,
                    median(processor[window]), median(processor[window]) / processorYardstick);
    }
    if (failures)
        std::printf("  (%d starts showed no window within %lld s and are left out)\n", failures,
                    static_cast<long long>(GiveUpAfter.count()));
    std::printf("Menu on screen at %.2fx the empty program's time.\n", median(times[Menu]) / yardstick);
    if (!times[Text].empty())
        std::printf("(One line of Japanese text alone takes %.2fx; the menu takes %.2fx of that.)\n",
                    median(times[Text]) / yardstick, median(times[Menu]) / median(times[Text]));
    return 0;
}
