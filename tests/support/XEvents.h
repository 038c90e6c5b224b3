#pragma once

#include <QHash>
#include <QList>
#include <QMargins>
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <xcb/xcb.h>

namespace qor::test {

// The X server as a test sees it from a connection of its own: instead of polling and sleeping,
// a test waits for what the server reports (windows created and mapped on the root window, and
// the configure, property and expose notices of the windows it watches).
class XEvents {
public:
    XEvents(); // connects to DISPLAY and watches the root window's children
    ~XEvents();
    XEvents(const XEvents&) = delete;
    XEvents& operator=(const XEvents&) = delete;

    bool connected() const;

    // Also reports the configure, property and expose notices of this window.
    void watch(qulonglong window);
    // Hands every report to `also` too, after the watch's own bookkeeping: for a test that reads
    // another protocol on this connection, whose waits then wake for its messages as well.
    void alsoHandle(std::function<void(xcb_generic_event_t*)> also) {
        alsoHandle_ = std::move(also);
    }
    xcb_connection_t* xcbConnection() const { return connection; }
    xcb_window_t rootWindow() const { return root; }

    // Takes in the server's reports until `done` holds, checking it first and after each report,
    // for at most `timeoutMs`. Returns whether it held.
    bool waitFor(const std::function<bool()>& done, int timeoutMs);
    // Takes in reports for the whole time, for waits whose very length is the point.
    void watchFor(int timeoutMs);

    // A top-level window as it stood when it first showed. The place is taken from the server's
    // own reports in their order (the geometry of the root window's child at the moment that
    // child was mapped: the window itself, or the frame that the window manager put it in), so
    // it holds however late the test reads it.
    struct FirstShown {
        qulonglong window = 0;
        QRect client;   // absolute
        QMargins frame; // _NET_FRAME_EXTENTS
    };
    // The first window of the process with a client area of this size that shows after this
    // watch began; waits for it.
    std::optional<FirstShown> waitForFirstShown(qint64 pid, QSize client, int timeoutMs = 10000);

    // What the server says now.
    // The first viewable window, in the order of the window tree, whose title (_NET_WM_NAME, or
    // WM_NAME without it) is exactly `title`, or 0. Every top-level window it passes is watched
    // from then on, so a later title change or map of one wakes a wait.
    qulonglong visibleWindow(const QString& title);
    // The viewable windows of the process, in the order of the window tree.
    QList<qulonglong> visibleWindowsOf(qint64 pid);
    qulonglong activeWindow(); // _NET_ACTIVE_WINDOW of the root window, or 0
    QRect clientArea(qulonglong window);
    QMargins frameExtents(qulonglong window) { return reportedFrame(window).value_or(QMargins()); }
    // The frame extents, or nothing while the window manager has not set them.
    std::optional<QMargins> reportedFrame(qulonglong window);
    qint64 pidOf(qulonglong window);

private:
    // Adds to what this connection hears from the window.
    void select(unsigned window, std::uint32_t mask);
    // Walks the tree below `window` in order and gives each viewable window; stops when `found`
    // says so.
    bool eachViewable(unsigned window, const std::function<bool(unsigned)>& found);
    // The title of a window as the window manager shows it.
    QString titleOf(unsigned window);
    // A property of `count` 32-bit values of that type, or none when it is not so set.
    QList<std::uint32_t> numbers(unsigned window, unsigned property, unsigned type, int count);

    // Takes in what has come, or waits up to `timeoutMs` for something to come; false when
    // nothing came.
    bool take(int timeoutMs);
    // The window of the process at or below `window`, or 0.
    unsigned windowOf(qint64 pid, unsigned window);

    xcb_connection_t* connection;
    std::function<void(xcb_generic_event_t*)> alsoHandle_;
    unsigned root = 0;
    unsigned extentsAtom = 0;
    unsigned pidAtom = 0;
    unsigned activeAtom = 0;
    unsigned nameAtom = 0;
    unsigned utf8Atom = 0;
    QHash<unsigned, std::uint32_t> selected;  // event masks this connection set
    QHash<unsigned, QRect> rootChildren;      // as the server last reported them
    QList<std::pair<unsigned, QRect>> mapped; // root children in the order they were mapped
};

} // namespace qor::test
