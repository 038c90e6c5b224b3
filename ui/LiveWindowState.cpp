#include "ui/LiveWindow.h"

#include "base/Failure.h"
#include "ui/Centring.h"
#include "ui/EventHold.h"
#include "ui/x11/DisplayServer.h"
#include "ui/x11/X11FrameExtents.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace qor {

namespace {

// How long a window waits for the platform to apply a new window state. A window manager answers
// within milliseconds; without one, or when it refuses, the handler goes on after this.
constexpr int newSizeWaitMs = 1000;

// How long a centred window waits to hear its frame before it first shows. A window manager that
// offers to tell answers within milliseconds; one that does not answer costs this once per window,
// which then is centred again once it is framed.
constexpr std::chrono::milliseconds frameAnswerWait{200};

} // namespace

bool LiveWindow::placeBeforeShow(const QRect& screenArea) {
    if (describedAs.startUpPosition != StartUpPosition::CenterScreen)
        return true;
    const std::optional<QMargins> frame = frameBeforeShow();
    if (!frame)
        return false;
    startUpArea = screenArea;
    // The client area is placed so that its frame stands centred; its position is what the
    // platform keeps (Qt asks the window manager to keep the client where it is put).
    QRect client(QPoint(), size());
    client.moveTopLeft(centredFramePosition(client.size().grownBy(*frame), screenArea) +
                       QPoint(frame->left(), frame->top()));
    setGeometry(client);
    return true;
}

void LiveWindow::placeAtStartUpPosition(const QRect& screenArea) {
    if (describedAs.startUpPosition != StartUpPosition::CenterScreen)
        return;
    startUpArea = screenArea;
    centreByKnownFrame();
    // A window manager that does not tell the frame beforehand adds it after the window is
    // mapped: the window is centred again once the frame is known.
    centreOnceFramed = windowHandle() && frameGeometry() == geometry() &&
                       describedAs.borderStyle != BorderStyle::None;
}

void LiveWindow::askForFrame() {
    if (describedAs.startUpPosition != StartUpPosition::CenterScreen ||
        describedAs.borderStyle == BorderStyle::None || !x11Connection())
        return;
    // The frame can be asked for once the platform window exists, before it is mapped: asked
    // before the controls are built, the window manager answers while they are.
    create();
    frameRequest = std::make_unique<FrameExtentsRequest>(*windowHandle());
}

std::optional<QMargins> LiveWindow::frameBeforeShow() {
    if (describedAs.borderStyle == BorderStyle::None)
        return QMargins();
    if (!frameRequest)
        return std::nullopt;
    const std::optional<QMargins> frame = frameRequest->answer(frameAnswerWait);
    if (frameRequest->fromMemory())
        frameRequest->whenMemoryWasWrong([this] {
            QMetaObject::invokeMethod(this, &LiveWindow::centreByKnownFrame, Qt::QueuedConnection);
        });
    else
        frameRequest.reset();
    return frame;
}

void LiveWindow::centreByKnownFrame() {
    const QPoint framePosition = centredFramePosition(frameGeometry().size(), startUpArea);
    if (windowHandle())
        windowHandle()->setFramePosition(framePosition);
    else
        move(framePosition);
}

void LiveWindow::moveEvent(QMoveEvent* event) {
    if (size() != modelClient && nativeSizeFor(modelClient) != size())
        resize(nativeSizeFor(modelClient));
    if (centreOnceFramed && frameGeometry() != geometry()) {
        centreOnceFramed = false;
        QMetaObject::invokeMethod(this, &LiveWindow::centreByKnownFrame, Qt::QueuedConnection);
    }
    QWidget::moveEvent(event);
}

float LiveWindow::LeftTwips() const {
    return pixelsToTwips(frameGeometry().x());
}
float LiveWindow::TopTwips() const {
    return pixelsToTwips(frameGeometry().y());
}
float LiveWindow::HeightTwips() const {
    return pixelsToTwips(frameGeometry().height() - height() + modelClient.height());
}

void LiveWindow::setLeftTwips(float twips) {
    move(twipsToPixels(twips), frameGeometry().y());
}
void LiveWindow::setTopTwips(float twips) {
    move(frameGeometry().x(), twipsToPixels(twips));
}

void LiveWindow::setHeightTwips(float twips) {
    const int frameExtra = frameGeometry().height() - height();
    modelClient.setHeight(std::max(0, twipsToPixels(twips) - frameExtra));
    const int client = nativeSizeFor(modelClient).height();
    if (describedAs.borderStyle == BorderStyle::FixedDialog)
        setFixedHeight(client);
    else
        resize(width(), client);
}

QSize LiveWindow::nativeSizeFor(QSize client) const {
    // A centred window stands where its whole size puts it, so it keeps that size natively; only
    // a window that the window manager places is cut to what can show from where it stands.
    const QScreen* on = screen();
    if (!on || describedAs.startUpPosition == StartUpPosition::CenterScreen)
        return client;
    // From where the window stands, only what lies up to the far edges of the desktop can show;
    // at the desktop's origin that is the desktop's size.
    const QRect desktop = on->virtualGeometry();
    const QPoint at = geometry().topLeft();
    const QSize reach(std::max(desktop.width(), desktop.right() + 1 - at.x()),
                      std::max(desktop.height(), desktop.bottom() + 1 - at.y()));
    return client.boundedTo(reach);
}

void LiveWindow::noteNewSize() {
    // A size the platform chose (a maximize, the user's resize) is the window's size from then
    // on; the size kept apart from the native one is only ever the program's own.
    if (size() != nativeSizeFor(modelClient))
        modelClient = size();
}

void LiveWindow::setWindowStateValue(int state) {
    Qt::WindowStates wanted = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    switch (state) {
    case 0:
        break;
    case 1:
        wanted |= Qt::WindowMinimized;
        break;
    case 2:
        wanted |= Qt::WindowMaximized;
        break;
    default:
        throw Failure("Invalid window state " + std::to_string(state));
    }
    if (wanted == windowState())
        return;
    // A hidden window keeps its new state for when it is shown again, and stays hidden.
    if (!isVisible()) {
        QWidget::setWindowState(wanted);
        return;
    }
    const QSize before = size();
    if (state == 1 || minimumSize() == maximumSize()) {
        QWidget::setWindowState(wanted);
        return;
    }
    const bool held = drawing.holdPaint(describedAs.backColor.resolve(palette()));
    const auto resume = qScopeGuard([&] {
        if (held)
            drawing.resumePaint(before, paintedOverBackground());
    });
    QWidget::setWindowState(wanted);
    awaitNewSize(before);
}

void LiveWindow::awaitNewSize(QSize before) {
    // The platform grants a new window state later, when the window manager has acted on it,
    // and what the handler draws next must land on the new client area. Until the size
    // arrives only the platform's own traffic is let through: no handler of the program may
    // start in between, so input and close requests are held back and delivered afterwards,
    // and timers and socket notifications wait for their next turn.
    EventHold hold;
    awaitPlatform([&] { return size() != before; }, QDeadlineTimer(newSizeWaitMs));
    // The platform's exposures of the new area come after the new size. They are taken in now,
    // by one round trip, while there is nothing to wipe; afterwards they would wipe what the
    // handler draws next as if the platform had repainted over it.
    if (size() != before)
        QGuiApplication::sync();
}

} // namespace qor
