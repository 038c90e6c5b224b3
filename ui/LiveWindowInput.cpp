#include "ui/LiveWindow.h"

#include "ui/CharacterKeys.h"
#include "ui/UserTime.h"
#include "ui/x11/X11EmptyTitle.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

namespace qor {

void LiveWindow::mouseMoveEvent(QMouseEvent* event) {
    EventArgs args;
    args.button = std::int16_t((event->buttons() & Qt::LeftButton ? 1 : 0) |
                               (event->buttons() & Qt::RightButton ? 2 : 0) |
                               (event->buttons() & Qt::MiddleButton ? 4 : 0));
    args.x = float(event->position().x()) * twipsPerPixel;
    args.y = float(event->position().y()) * twipsPerPixel;
    raiseEvent(formSource, Event::MouseMove, args);
}

void LiveWindow::mousePressEvent(QMouseEvent* event) {
    EventArgs args;
    args.button = std::int16_t(event->button() == Qt::LeftButton    ? 1
                               : event->button() == Qt::RightButton ? 2
                                                                    : 4);
    args.x = float(event->position().x()) * twipsPerPixel;
    args.y = float(event->position().y()) * twipsPerPixel;
    raiseEvent(formSource, Event::MouseDown, args);
}

void LiveWindow::keyPressEvent(QKeyEvent* event) {
    // Keys that the focused control did not take: Enter presses the focused button or else the
    // default button, Esc the cancel button.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget());
            focused && focused->isEnabled()) {
            focused->click();
            return;
        }
        if (defaultButton && defaultButton->isEnabled()) {
            defaultButton->click();
            return;
        }
    }
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && cancelButton &&
        cancelButton->isEnabled()) {
        cancelButton->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

// Every event of the window, of its native window and of its controls passes here first. Each
// concern has its handler below; an event that none takes goes on to its receiver.
bool LiveWindow::eventFilter(QObject* watched, QEvent* event) {
    // Before any handler that the input may trigger runs, so that a launch sees its time.
    noteUserInput(*event);
    switch (event->type()) {
    case QEvent::Expose:
        if (watched == windowHandle())
            platformExposed(*static_cast<QExposeEvent*>(event));
        break;
    case QEvent::Paint:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
        // A control, or the native window, that changes may cover or uncover drawings.
        if (watched != this)
            drawing.controlChanged(*event);
        break;
    case QEvent::WinIdChange:
        if (watched == this)
            platformWindowMade();
        break;
    case QEvent::KeyPress: {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (isCloseKey(key))
            return closeKeyPressed();
        return keyPreviewed(watched, key);
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// A platform repaint of part of the window (another window no longer covers it, the window is
// restored) wipes the drawings in that part. Qt offers the exposed region only through this
// accessor; a paint event cannot tell a platform repaint from the program's.
void LiveWindow::platformExposed(const QExposeEvent& event) {
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    drawing.wipe(event.region());
    QT_WARNING_POP
}

// A window described without a caption shows an empty title bar, not the program's name.
void LiveWindow::platformWindowMade() {
    if (describedAs.caption.isEmpty())
        clearX11Title(*this);
}

bool LiveWindow::isCloseKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_F4 && key.modifiers() == Qt::AltModifier;
}

// Alt+F4 that no window manager took closes the window as its close box does.
bool LiveWindow::closeKeyPressed() {
    if (sink)
        sink->closeRequested(*this);
    return true;
}

// Key preview: the window sees a character key before the focused control. A key that a control
// ignores travels on to its parents; only its first delivery counts. Returns whether the key is
// consumed.
bool LiveWindow::keyPreviewed(QObject* watched, const QKeyEvent& key) {
    const QWidget* receiver = qobject_cast<QWidget*>(watched);
    const QWidget* focused = focusWidget() ? focusWidget() : this;
    const auto character = characterOfKey(key.key(), key.modifiers(), key.text());
    if (!describedAs.keyPreview || receiver != focused || !character)
        return false;
    EventArgs args;
    args.keyAscii = *character;
    QPointer<LiveWindow> alive(this);
    raiseEvent(formSource, Event::KeyPress, args);
    // A handler that unloaded the window has consumed the key.
    return !alive || !sink;
}

void LiveWindow::closeEvent(QCloseEvent* event) {
    // The registry decides: the window's unload handler runs first, and only the registry
    // destroys the window.
    event->ignore();
    if (sink)
        sink->closeRequested(*this);
}

void LiveWindow::raiseEvent(const QString& source, Event event) {
    EventArgs args;
    raiseEvent(source, event, args);
}

void LiveWindow::raiseEvent(const QString& source, Event event, EventArgs& args) {
    if (sink)
        sink->raise(*this, source, event, args);
}

} // namespace qor
