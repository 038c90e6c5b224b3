#pragma once

#include "ui/Controls.h"
#include "ui/DrawingLayer.h"
#include "ui/Events.h"
#include "ui/LiveShape.h"
#include "ui/WindowDescription.h"

#include <QHash>
#include <QImage>
#include <QPushButton>
#include <QWidget>
#include <deque>
#include <memory>
#include <optional>

class QExposeEvent;

namespace qor {

class FrameExtentsRequest;

// A top-level window built from its description. Its client area is this widget; the platform's
// frame, if any, lies outside it.
//
// Each job of the window has its own file: LiveWindow.cpp makes the window and looks up its
// controls, LiveWindowControls.cpp builds the controls with their colours, tab order and
// accessible names, LiveWindowState.cpp keeps position, height and window state, and
// LiveWindowDrawing.cpp paints the surface and hands Circle and PSet to the drawing layer
// (DrawingLayer.h). LiveWindowInput.cpp turns pointer, keys and close requests into events.
class LiveWindow : public QWidget {
    Q_OBJECT
public:
    LiveWindow(const WindowDescription& description, EventSink* sink);
    ~LiveWindow() override;

    const WindowDescription& description() const { return describedAs; }
    const QString& name() const { return describedAs.name; }

    // Stops all events from reaching the program, before the window is destroyed.
    void detach();

    // Places a centred window, before it is first shown, where it stays: its frame centred in
    // the given area of the screen, in pixels. False when the frame cannot be known beforehand
    // (no window manager that tells it); then placeAtStartUpPosition centres it once shown.
    bool placeBeforeShow(const QRect& screenArea);
    // Places the shown window at its start-up position: a centred window's frame is centred in
    // the given area of the screen by the frame known now, and again once the window manager
    // has framed it.
    void placeAtStartUpPosition(const QRect& screenArea);
    // The first focus goes to the focusable control with the lowest tab index.
    void focusFirstControl();

    // Members that handlers use. Lengths are single-precision twips, named apart from QWidget's
    // pixel members; the window's position and height are those of its outer frame.
    float LeftTwips() const;
    float TopTwips() const;
    float HeightTwips() const;
    void setLeftTwips(float twips);
    void setTopTwips(float twips);
    void setHeightTwips(float twips);
    // 0 normal, 1 minimized, 2 maximized. A visible window returns once the platform has given
    // it its new size, so that drawing lands on the new client area; a resize wipes the drawings.
    void setWindowStateValue(int state);
    void setDrawWidth(int pixels);
    void Circle(float x, float y, float radius, std::optional<OleColor> colour = std::nullopt);
    void PSet(float x, float y, OleColor colour);

    // Controls by name; an array member by name and index. A missing control is a Failure.
    QWidget& control(const QString& name, std::optional<std::int16_t> index = std::nullopt) const;
    TextBox& textBox(const QString& name) const;
    ComboBox& comboBox(const QString& name) const;
    QPushButton& button(const QString& name) const;
    LiveShape& shape(const QString& name);
    bool hasControl(const QString& key) const { return controls.contains(key); }

    // The client area's size as the program sees it, in pixels. A window described far larger
    // than any screen keeps that size here and in HeightTwips(), while its native window and
    // backing store are no larger than the part that can show.
    QSize clientSize() const { return modelClient; }

    // The drawing layer, in client pixels: what Circle and PSet have drawn since the last resize.
    const QImage& drawingLayer() const { return drawing.image(); }

    // Repaints the part of the client area that a shape covers now or covered before.
    void shapeMoved(const QRectF& before, const QRectF& after);

protected:
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void changeEvent(QEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The concerns of the event filter, one handler each.
    void platformExposed(const QExposeEvent& event);
    void platformWindowMade();
    static bool isCloseKey(const QKeyEvent& key);
    bool closeKeyPressed();
    bool keyPreviewed(QObject* watched, const QKeyEvent& key);
    void buildControls(const std::vector<ControlDescription>& list, QWidget* parent);
    QWidget* buildControl(const ControlDescription& control, QWidget* parent);
    void applyColours();
    void connectTabOrderAndBuddies();
    void raiseEvent(const QString& source, Event event);
    void raiseEvent(const QString& source, Event event, EventArgs& args);
    // A centred window with a frame asks the window manager for it as soon as it is made.
    void askForFrame();
    // The frame that the window manager will give the window once shown, when it tells
    // beforehand; none for a borderless window.
    std::optional<QMargins> frameBeforeShow();
    // Centres the frame as the platform knows it now in the start-up area.
    void centreByKnownFrame();
    // Waits, within bounds, until the platform has given the window a size other than `before`.
    void awaitNewSize(QSize before);
    // The native size for a client area of `client` pixels at the window's position.
    QSize nativeSizeFor(QSize client) const;
    // Takes a size that the platform gave the window as the client size.
    void noteNewSize();
    // Where the window's paint puts anything but its back colour: controls, shapes and lines.
    QRegion paintedOverBackground() const;

    WindowDescription describedAs;
    QSize modelClient;
    EventSink* sink;
    QHash<QString, QWidget*> controls;
    std::vector<std::pair<const ControlDescription*, QWidget*>> tabOrder;
    std::deque<LiveShape> shapes;
    QPushButton* defaultButton = nullptr;
    QPushButton* cancelButton = nullptr;
    DrawingLayer drawing{*this};
    std::unique_ptr<FrameExtentsRequest> frameRequest;
    bool centreOnceFramed = false;
    QRect startUpArea;
};

} // namespace qor
