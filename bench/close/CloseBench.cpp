// Times the close command on real windows: a program is started, and once its window is shown
// and active, the benchmark gives that window the close command through the window manager (as
// the close box does) and times until the window is unmapped. Every figure is paired with its
// floor in the same round, so a drift in the machine's speed touches both alike.
//
//   qor_bench_close starfield [--raw] [ROUNDS]
//
// The main window's close: its unload handler maximizes the window, draws the 16500 dots of the
// star field, each shown the moment it is drawn, and the window goes. The floor
// (qor_starfield_floor) is a bare XCB client that does the same from the same close command:
// maximize, fill and flush each of the same dots, destroy its window; its round-trip variant
// waits for the X server's answer after each dot. --raw prints one line per round: qor's, the
// floor's and the round-trip floor's milliseconds.
//
//   qor_bench_close window [--raw] [ROUNDS]
//
// The close box of a window with no unload handler, the tip window, against a bare Qt window
// with ten buttons. --raw prints one line per round: qor's and the floor's milliseconds.

#include "ui/Twips.h"
#include "windows/main/DrawingEffects.h"
#include "windows/main/StarField.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

extern char** environ;

using namespace qor;
using Clock = std::chrono::steady_clock;

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The dots as the main window's drawing puts them: a DrawWidth-wide square centred on the point.
std::string writeDots() {
    char path[] = "/tmp/qor-starfield-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return {};
    FILE* file = fdopen(fd, "w");
    XorshiftRandomSource source;
    StarField field(source);
    const float half = float(starFieldPenWidth - 1) / 2;
    while (const auto dot = field.next()) {
        const int left = int(std::floor(dot->x / twipsPerPixel - half));
        const int top = int(std::floor(dot->y / twipsPerPixel - half));
        const std::uint32_t ole = sixteenColourPalette[std::size_t(dot->colourIndex)].value;
        const std::uint32_t rgb = (ole & 0xFF) << 16 | (ole & 0xFF00) | (ole >> 16 & 0xFF);
        // Dots below any screen's reach are left out: neither side draws them.
        if (top < 32767)
            std::fprintf(file, "%d %d %d %d %06x\n", left, top, starFieldPenWidth,
                         starFieldPenWidth, rgb);
    }
    std::fclose(file);
    return path;
}

struct Subject {
    std::vector<std::string> command;
    std::string title; // of the window to close; empty for the program's only window
};

class Display {
public:
    Display() : connection(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection))
            return;
        root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        clientList = atom("_NET_CLIENT_LIST");
        wmPid = atom("_NET_WM_PID");
        activeWindow = atom("_NET_ACTIVE_WINDOW");
        closeWindow = atom("_NET_CLOSE_WINDOW");
        wmName = atom("_NET_WM_NAME");
        // The pointer stays clear of the windows, so no pointer trail is drawn meanwhile.
        xcb_warp_pointer(connection, XCB_NONE, root, 0, 0, 0, 0, 0, 0);
        xcb_flush(connection);
    }
    ~Display() { xcb_disconnect(connection); }
    bool usable() const { return !xcb_connection_has_error(connection); }

    // The milliseconds from the close command to the window unmapped, for one start of the
    // program; nothing when it did not show a window or did not unmap it in time.
    std::optional<double> closeToUnmapped(const Subject& subject) {
        const std::vector<std::string>& command = subject.command;
        std::vector<char*> argv;
        for (const std::string& word : command)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
            return std::nullopt;
        std::optional<double> figure;
        if (const xcb_window_t window = windowOf(pid, subject.title)) {
            const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
            xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
            waitUntilActive(window);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            while (auto* stale = xcb_poll_for_event(connection))
                std::free(stale);
            const auto start = Clock::now();
            sendClose(window);
            if (waitUntilUnmapped(window))
                figure = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
        reap(pid);
        return figure;
    }

private:
    xcb_atom_t atom(std::string_view name) {
        Reply<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(
                connection, xcb_intern_atom(connection, 0, std::uint16_t(name.size()), name.data()),
                nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    std::vector<std::uint32_t> cardinals(xcb_window_t window, xcb_atom_t property) {
        Reply<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(connection,
                                   xcb_get_property(connection, 0, window, property,
                                                    XCB_GET_PROPERTY_TYPE_ANY, 0, 4096),
                                   nullptr),
            &std::free);
        if (!reply || reply->format != 32)
            return {};
        const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
        return {values, values + xcb_get_property_value_length(reply.get()) / 4};
    }

    std::string title(xcb_window_t window) {
        Reply<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(
                connection,
                xcb_get_property(connection, 0, window, wmName, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
                nullptr),
            &std::free);
        if (!reply || reply->format != 8)
            return {};
        return {static_cast<const char*>(xcb_get_property_value(reply.get())),
                std::size_t(xcb_get_property_value_length(reply.get()))};
    }

    // The managed window of the process with the title (any title when empty), once the window
    // manager lists it.
    xcb_window_t windowOf(pid_t pid, const std::string& wanted) {
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (Clock::now() < deadline) {
            for (const std::uint32_t window : cardinals(root, clientList))
                if (cardinals(window, wmPid) == std::vector<std::uint32_t>{std::uint32_t(pid)} &&
                    (wanted.empty() || title(window) == wanted))
                    return window;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return XCB_NONE;
    }

    void waitUntilActive(xcb_window_t window) {
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (Clock::now() < deadline &&
               cardinals(root, activeWindow) != std::vector<std::uint32_t>{window})
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    void sendClose(xcb_window_t window) {
        xcb_client_message_event_t close{};
        close.response_type = XCB_CLIENT_MESSAGE;
        close.format = 32;
        close.window = window;
        close.type = closeWindow;
        close.data.data32[0] = XCB_CURRENT_TIME;
        close.data.data32[1] = 2; // from a pager, as a close box of the desktop's own
        xcb_send_event(connection, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&close));
        xcb_flush(connection);
    }

    bool waitUntilUnmapped(xcb_window_t window) {
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        pollfd socket{xcb_get_file_descriptor(connection), POLLIN, 0};
        while (Clock::now() < deadline) {
            while (auto* event = xcb_poll_for_event(connection)) {
                const int type = event->response_type & 0x7F;
                const bool gone =
                    (type == XCB_UNMAP_NOTIFY &&
                     reinterpret_cast<xcb_unmap_notify_event_t*>(event)->window == window) ||
                    (type == XCB_DESTROY_NOTIFY &&
                     reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window == window);
                std::free(event);
                if (gone)
                    return true;
            }
            if (xcb_connection_has_error(connection))
                return false;
            poll(&socket, 1, 10);
        }
        return false;
    }

    // A program whose other windows keep it running is ended once its figure is taken.
    static void reap(pid_t pid) {
        for (int waited = 0; waited < 200; ++waited) {
            if (waitpid(pid, nullptr, WNOHANG) == pid)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }

    xcb_connection_t* connection;
    xcb_window_t root = XCB_NONE;
    xcb_atom_t clientList = XCB_NONE, wmPid = XCB_NONE, activeWindow = XCB_NONE,
               closeWindow = XCB_NONE, wmName = XCB_NONE;
};

} // namespace

int main(int argc, char** argv) {
    const bool starField = argc > 1 && std::strcmp(argv[1], "starfield") == 0;
    const bool window = argc > 1 && std::strcmp(argv[1], "window") == 0;
    int next = 2;
    const bool raw = argc > next && std::strcmp(argv[next], "--raw") == 0;
    next += raw;
    const int rounds = argc > next ? std::atoi(argv[next]) : 9;
    if (!(starField || window) || rounds < 1) {
        std::fprintf(stderr, "usage: %s starfield|window [--raw] [ROUNDS]\n", argv[0]);
        return 2;
    }
    Display display;
    if (!display.usable()) {
        std::fprintf(stderr, "%s needs an X server with a window manager\n", argv[0]);
        return 2;
    }
    std::string dots;
    std::vector<Subject> subjects;
    if (starField) {
        dots = writeDots();
        if (dots.empty()) {
            std::fprintf(stderr, "%s: cannot write the dots: %s\n", argv[0], std::strerror(errno));
            return 1;
        }
        subjects = {{{QOR_PROGRAM}, {}},
                    {{QOR_STARFIELD_FLOOR, dots}, {}},
                    {{QOR_STARFIELD_FLOOR, "--round-trip", dots}, {}}};
    } else {
        subjects = {{{QOR_BENCH_STARTUP, "--stay", "Form4"}, "VORPEX TIP"},
                    {{QOR_STARTUP_FLOOR, "--stay"}, "floor"}};
    }
    std::vector<std::vector<double>> figures(subjects.size());
    // One round first, not counted: the first starts load the programs from disk.
    for (int round = 0; round <= rounds; ++round) {
        std::vector<double> line;
        for (const Subject& subject : subjects) {
            const std::optional<double> ms = display.closeToUnmapped(subject);
            if (!ms) {
                std::fprintf(stderr, "%s: %s showed no window or kept it\n", argv[0],
                             subject.command[0].c_str());
                if (!dots.empty())
                    std::remove(dots.c_str());
                return 1;
            }
            line.push_back(*ms);
        }
        if (round == 0)
            continue;
        for (std::size_t i = 0; i < line.size(); ++i)
            figures[i].push_back(line[i]);
        if (raw) {
            for (std::size_t i = 0; i < line.size(); ++i)
                std::printf(i ? " %.3f" : "%.3f", line[i]);
            std::printf("\n");
        }
    }
    if (!dots.empty())
        std::remove(dots.c_str());
    if (raw)
        return 0;
    std::printf("close command to window unmapped, median of %d:\n", rounds);
    if (window) {
        const double qor = median(figures[0]), floor = median(figures[1]);
        std::printf("  qor's tip window:        %8.2f ms\n", qor);
        std::printf("  bare Qt window:          %8.2f ms\n", floor);
        std::printf("ratio %.2fx\n", qor / floor);
        return 0;
    }
    const double qor = median(figures[0]), floor = median(figures[1]),
                 roundTrip = median(figures[2]);
    std::printf("  qor's main window, star field:       %8.2f ms\n", qor);
    std::printf("  bare XCB client, flush per dot:      %8.2f ms\n", floor);
    std::printf("  bare XCB client, round trip per dot: %8.2f ms\n", roundTrip);
    std::printf("ratio %.2fx to the flushing floor (goal: at most 1.5x), %.2fx to the round-trip "
                "floor\n",
                qor / floor, qor / roundTrip);
    return 0;
}
