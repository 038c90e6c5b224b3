#include "ui/LiveWindow.h"

#include "app/Services.h"

#include <QAbstractEventDispatcher>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QBackingStore>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QGroupBox>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace qor {

namespace {

// Drawings this far outside the client area cannot show, and their pixel positions would not
// fit the integers that painting works in: they are clipped away whole, without a failure.
constexpr float farOutPixels = 1.0e7f;

// How long a window waits for the platform to apply a new window state. A window manager answers
// within milliseconds; without one, or when it refuses, the handler goes on after this.
constexpr int newSizeWaitMs = 1000;

QRectF pixelsOf(float left, float top, float width, float height) {
    return {left / twipsPerPixel, top / twipsPerPixel, width / twipsPerPixel,
            height / twipsPerPixel};
}

QRect pixelBox(const Box& box) {
    return {twipsToPixels(float(box.left)), twipsToPixels(float(box.top)),
            twipsToPixels(float(box.width)), twipsToPixels(float(box.height))};
}

// Text boxes and lists show no caption of their own: a label names them.
bool namedByLabel(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::ComboBox;
}

// The name serves assistive technology that reads names; the buddy gives the "labelled by"
// relation, which is how a list is named on Linux, where its name is its current item.
void nameByLabel(QLabel& label, QWidget& field) {
    field.setAccessibleName(label.accessibleName());
    label.setBuddy(&field);
}

// A window is announced as one, not as a pane of some other window.
QAccessibleInterface* windowAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(LiveWindow::staticMetaObject.className()) &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

bool takesFocus(ControlKind kind) {
    return kind == ControlKind::Button || kind == ControlKind::TextBox ||
           kind == ControlKind::ComboBox || kind == ControlKind::PictureBox;
}

Qt::WindowFlags flagsFor(BorderStyle style) {
    switch (style) {
    case BorderStyle::None:
        return Qt::Window | Qt::FramelessWindowHint;
    case BorderStyle::FixedDialog:
        return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    case BorderStyle::Sizable:
        break;
    }
    return Qt::Window;
}

// A graphical button's face shows its back colour whatever the widget style, so it is drawn by
// a style sheet rather than left to the style's palette handling.
QString graphicalButtonSheet(const QColor& face) {
    const QColor light = face.lighter(160);
    const QColor dark = face.darker(250);
    return QStringLiteral("QPushButton { background-color: %1; border: 2px solid;"
                          " border-color: %2 %3 %3 %2; padding: 1px; }"
                          "QPushButton:pressed { border-color: %3 %2 %2 %3; }"
                          "QPushButton:focus { outline: 1px dotted; }")
        .arg(face.name(), light.name(), dark.name());
}

// The caption as a screen reader should say it: an access key's "&" is not spoken.
QString withoutAccessKey(QString caption) {
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(u'&');
    caption.replace(u'\x01', u'&');
    return caption;
}

// Holds back, while it lives, every event that could start a handler of the program: input and
// close requests are kept and posted again, in their order, when it ends; timers and socket
// notifications are dropped, and since both fire again while they stay due, they only wait.
class EventHold : public QObject {
public:
    EventHold() { QCoreApplication::instance()->installEventFilter(this); }
    ~EventHold() override {
        QCoreApplication::instance()->removeEventFilter(this);
        for (auto& [receiver, event] : held)
            if (receiver)
                QCoreApplication::postEvent(receiver, event.release());
        // Input that the platform kept back meanwhile must not wait for the next X event.
        if (auto* dispatcher = QAbstractEventDispatcher::instance())
            dispatcher->wakeUp();
    }
    EventHold(const EventHold&) = delete;
    EventHold& operator=(const EventHold&) = delete;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Timer:
        case QEvent::SockAct:
            return true;
        case QEvent::Close:
        case QEvent::Shortcut:
            break;
        default:
            if (!event->isInputEvent())
                return false;
        }
        held.emplace_back(receiver, std::unique_ptr<QEvent>(event->clone()));
        return true;
    }

private:
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held;
};

} // namespace

LiveShape::LiveShape(LiveWindow& window, const ControlDescription& description)
    : window(window), shapeName(description.name), shapeKind(description.shape),
      left(float(description.box.left)), top(float(description.box.top)),
      width(float(description.box.width)), height(float(description.box.height)) {}

void LiveShape::setLeft(float twips) {
    const QRectF before = figure();
    left = twips;
    window.shapeMoved(before, figure());
}

void LiveShape::setTop(float twips) {
    const QRectF before = figure();
    top = twips;
    window.shapeMoved(before, figure());
}

QRectF LiveShape::figure() const {
    if (shapeKind == ShapeKind::Rectangle)
        return {left, top, width, height};
    const float side = std::min(width, height);
    return {left + (width - side) / 2, top + (height - side) / 2, side, side};
}

LiveWindow::LiveWindow(const WindowDescription& description, EventSink* sink)
    : QWidget(nullptr, flagsFor(description.borderStyle)), describedAs(description), sink(sink) {
    static const bool windowRoleInstalled = [] {
        QAccessible::installFactory(windowAccessible);
        return true;
    }();
    Q_UNUSED(windowRoleInstalled);
    setObjectName(description.name);
    setWindowTitle(description.caption);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    const QSize client(twipsToPixels(float(description.clientWidth)),
                       twipsToPixels(float(description.clientHeight)));
    resize(client);
    if (description.borderStyle == BorderStyle::FixedDialog)
        setFixedSize(client);
    buildControls(describedAs.controls, this);
    connectTabOrderAndBuddies();
    applyColours();
    // Alt+F4 that no window manager took, and key preview, are seen before any control acts.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

LiveWindow::~LiveWindow() = default;

void LiveWindow::detach() {
    sink = nullptr;
}

void LiveWindow::buildControls(const std::vector<ControlDescription>& list, QWidget* parent) {
    for (const ControlDescription& control : list) {
        if (control.kind == ControlKind::Shape) {
            shapes.emplace_back(*this, control);
            continue;
        }
        if (control.kind == ControlKind::Line)
            continue; // lines are painted from the description
        QWidget* widget = buildControl(control, parent);
        widget->setObjectName(controlKey(control.name, control.index));
        widget->setGeometry(pixelBox(control.box));
        widget->setEnabled(control.enabled);
        // Every control takes its own pointer input; only the window's surface, shapes and lines
        // pass the pointer to the window.
        widget->setAttribute(Qt::WA_NoMousePropagation);
        controls.insert(controlKey(control.name, control.index), widget);
        if (parent == this)
            surfaceControls.push_back(widget);
        if (control.tabIndex)
            tabOrder.emplace_back(&control, widget);
        if (control.kind == ControlKind::Frame)
            buildControls(control.children, widget);
    }
}

QWidget* LiveWindow::buildControl(const ControlDescription& control, QWidget* parent) {
    const QString key = controlKey(control.name, control.index);
    switch (control.kind) {
    case ControlKind::Button: {
        auto* button = new CaptionButton(control.caption, parent);
        // Enter is decided by the window (default button, or the focused button), never by Qt's
        // auto-default logic.
        button->setAutoDefault(false);
        if (control.style == ButtonStyle::Graphical && control.backColor)
            button->setStyleSheet(graphicalButtonSheet(control.backColor->resolve(palette())));
        if (control.isDefault)
            defaultButton = button;
        if (control.isCancel)
            cancelButton = button;
        connect(button, &QPushButton::clicked, this,
                [this, key] { raiseEvent(key, Event::Click); });
        return button;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(control.caption, parent);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        label->setAccessibleName(withoutAccessKey(control.caption));
        // Labels are opaque: without a back colour of their own they show the button face.
        label->setAutoFillBackground(true);
        return label;
    }
    case ControlKind::TextBox: {
        auto* box = new TextBox(parent);
        box->setText(control.caption);
        if (control.passwordChar)
            box->setPasswordCharacter(*control.passwordChar);
        connect(box, &QLineEdit::textChanged, this,
                [this, key] { raiseEvent(key, Event::Change); });
        return box;
    }
    case ControlKind::ComboBox: {
        auto* combo = new ComboBox(parent);
        combo->onSelectionClick = [this, key] { raiseEvent(key, Event::Click); };
        return combo;
    }
    case ControlKind::Frame: {
        auto* frame = new QGroupBox(control.caption, parent);
        frame->setAccessibleName(withoutAccessKey(control.caption));
        frame->setFocusPolicy(Qt::NoFocus);
        return frame;
    }
    case ControlKind::PictureBox: {
        auto* picture = new PictureBox(control.picture, parent);
        picture->setAccessibleName(control.pictureText);
        return picture;
    }
    case ControlKind::Shape:
    case ControlKind::Line:
        break;
    }
    throw Failure("A shape or line is not a widget");
}

void LiveWindow::applyColours() {
    const auto applyTo = [this](const std::vector<ControlDescription>& list, auto& self) -> void {
        for (const ControlDescription& control : list) {
            const QString key = controlKey(control.name, control.index);
            if (QWidget* widget = controls.value(key);
                widget && control.kind != ControlKind::Button) {
                QPalette p = widget->palette();
                if (control.backColor) {
                    const QColor back = control.backColor->resolve(palette());
                    p.setColor(QPalette::Window, back);
                    p.setColor(QPalette::Base, back);
                    widget->setAutoFillBackground(control.kind == ControlKind::Label);
                }
                if (control.foreColor) {
                    const QColor fore = control.foreColor->resolve(palette());
                    p.setColor(QPalette::WindowText, fore);
                    p.setColor(QPalette::Text, fore);
                }
                widget->setPalette(p);
            }
            self(control.children, self);
        }
    };
    applyTo(describedAs.controls, applyTo);
}

void LiveWindow::connectTabOrderAndBuddies() {
    std::stable_sort(tabOrder.begin(), tabOrder.end(), [](const auto& a, const auto& b) {
        return *a.first->tabIndex < *b.first->tabIndex;
    });
    QWidget* previous = nullptr;
    for (auto& [control, widget] : tabOrder) {
        if (!takesFocus(control->kind)) {
            widget->setFocusPolicy(Qt::NoFocus);
            continue;
        }
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    // A label's access key moves the focus to the control that follows it in tab order, and the
    // label names that control for assistive technology.
    for (auto it = tabOrder.begin(); it != tabOrder.end(); ++it) {
        auto* label = qobject_cast<QLabel*>(it->second);
        if (!label)
            continue;
        const auto next = std::find_if(std::next(it), tabOrder.end(), [](const auto& entry) {
            return takesFocus(entry.first->kind);
        });
        if (next == tabOrder.end())
            continue;
        if (namedByLabel(next->first->kind) && next->first->labelledBy.isEmpty())
            nameByLabel(*label, *next->second);
        else if (label->text().contains(u'&'))
            label->setBuddy(next->second);
    }
    for (auto& [control, widget] : tabOrder) {
        if (!namedByLabel(control->kind) || control->labelledBy.isEmpty())
            continue;
        auto* label = qobject_cast<QLabel*>(controls.value(control->labelledBy));
        if (!label)
            throw Failure("No label " + control->labelledBy.toStdString() + " names " +
                          control->name.toStdString());
        nameByLabel(*label, *widget);
    }
}

void LiveWindow::focusFirstControl() {
    for (auto& [control, widget] : tabOrder) {
        if (takesFocus(control->kind) && widget->isEnabled()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void LiveWindow::placeAtStartUpPosition() {
    if (describedAs.startUpPosition != StartUpPosition::CenterScreen)
        return;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    if (windowHandle())
        windowHandle()->setFramePosition(frame.topLeft());
    else
        move(frame.topLeft());
    // A window manager adds its frame after the window is mapped; until then the frame is
    // unknown, and the window is centred again once it is.
    centreOnceFramed = windowHandle() && frameGeometry() == geometry() &&
                       describedAs.borderStyle != BorderStyle::None;
}

void LiveWindow::moveEvent(QMoveEvent* event) {
    if (centreOnceFramed && frameGeometry() != geometry()) {
        centreOnceFramed = false;
        QMetaObject::invokeMethod(
            this,
            [this] {
                placeAtStartUpPosition();
                centreOnceFramed = false;
            },
            Qt::QueuedConnection);
    }
    QWidget::moveEvent(event);
}

float LiveWindow::Left() const {
    return pixelsToTwips(frameGeometry().x());
}
float LiveWindow::Top() const {
    return pixelsToTwips(frameGeometry().y());
}
float LiveWindow::Height() const {
    return pixelsToTwips(frameGeometry().height());
}

void LiveWindow::setLeft(float twips) {
    move(twipsToPixels(twips), frameGeometry().y());
}
void LiveWindow::setTop(float twips) {
    move(frameGeometry().x(), twipsToPixels(twips));
}

void LiveWindow::setHeight(float twips) {
    const int frameExtra = frameGeometry().height() - height();
    const int client = std::max(0, twipsToPixels(twips) - frameExtra);
    if (describedAs.borderStyle == BorderStyle::FixedDialog)
        setFixedHeight(client);
    else
        resize(width(), client);
}

void LiveWindow::setWindowState(int state) {
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
    QWidget::setWindowState(wanted);
    if (state != 1)
        awaitNewSize(before);
}

void LiveWindow::awaitNewSize(QSize before) {
    if (minimumSize() == maximumSize())
        return;
    // The platform grants a new window state later, when the window manager has acted on it,
    // and what the handler draws next must land on the new client area. Until the size
    // arrives only the platform's own traffic is let through: no handler of the program may
    // start in between, so input and close requests are held back and delivered afterwards,
    // and timers and socket notifications wait for their next turn.
    EventHold hold;
    const QDeadlineTimer deadline(newSizeWaitMs);
    while (size() == before && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (size() == before)
            QThread::msleep(1);
    }
}

void LiveWindow::setDrawWidth(int pixels) {
    if (pixels < 1 || pixels > 32767)
        throw Failure("Invalid draw width " + std::to_string(pixels));
    penWidth = pixels;
}

void LiveWindow::Circle(float x, float y, float radius, std::optional<OleColor> colour) {
    // Centre and radius fall on whole pixels, as every length the platform applies does, so the
    // circle is symmetric about the pixel of its centre and successive radii that round alike
    // draw the very same ring, the last one deciding its colour.
    const float centreX = x / twipsPerPixel, centreY = y / twipsPerPixel;
    const float pixelRadius = std::abs(radius / twipsPerPixel);
    if (!(std::abs(centreX) < farOutPixels && std::abs(centreY) < farOutPixels &&
          pixelRadius < farOutPixels))
        return;
    const QPoint centre(int(std::lround(centreX)), int(std::lround(centreY)));
    const int r = int(std::lround(pixelRadius));
    const QColor pen = colour.value_or(describedAs.foreColor).resolve(palette());
    {
        QPainter painter(&layer());
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(pen, penWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, r, r);
    }
    const int reach = r + penWidth + 1;
    redrawDirty(QRectF(centre.x() - reach, centre.y() - reach, 2 * reach + 1, 2 * reach + 1));
}

QImage& LiveWindow::layer() const {
    // Made on the first drawing only: most windows never draw, and the screen saver window's
    // client area would need hundreds of megabytes.
    if (overlay.isNull()) {
        overlay = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        overlay.fill(Qt::transparent);
    }
    return overlay;
}

void LiveWindow::PSet(float x, float y, OleColor colour) {
    // A dot DrawWidth pixels across, centred on the point, written straight into the layer:
    // thousands of them are drawn in one handler and each must show at once.
    const int size = penWidth;
    const float leftEdge = std::floor(x / twipsPerPixel - float(size - 1) / 2);
    const float topEdge = std::floor(y / twipsPerPixel - float(size - 1) / 2);
    if (!(std::abs(leftEdge) < farOutPixels && std::abs(topEdge) < farOutPixels))
        return;
    const QRect dot = QRect(int(leftEdge), int(topEdge), size, size).intersected(layer().rect());
    if (dot.isEmpty())
        return;
    const QRgb rgb = colour.resolve(palette()).rgba();
    for (int row = dot.top(); row <= dot.bottom(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(layer().scanLine(row));
        std::fill(line + dot.left(), line + dot.right() + 1, rgb);
    }
    if (!showDirectly(dot, rgb))
        repaint(dot);
}

bool LiveWindow::showDirectly(const QRect& dot, QRgb rgb) {
    // The whole paint of the window for each of thousands of dots costs far more than the dot:
    // where the dot covers only the window's own surface, and that surface is already on the
    // screen as painted, the dot's square is written into the window's backing store and just
    // that square is flushed. Its pixels are the opaque dot colour whatever lies beneath.
    QBackingStore* store = backingStore();
    QWindow* handle = windowHandle();
    if (surfaceStale || !store || !handle || !handle->isExposed() || qAlpha(rgb) != 255)
        return false;
    for (QWidget* child : surfaceControls)
        if (child->isVisible() && child->geometry().intersects(dot))
            return false;
    const QRegion region(dot);
    store->beginPaint(region);
    auto* image = dynamic_cast<QImage*>(store->paintDevice());
    if (image && image->devicePixelRatio() == 1.0 && image->depth() == 32 &&
        image->rect().contains(dot)) {
        for (int row = dot.top(); row <= dot.bottom(); ++row) {
            auto* line = reinterpret_cast<QRgb*>(image->scanLine(row));
            std::fill(line + dot.left(), line + dot.right() + 1, rgb);
        }
    } else {
        QPainter painter(store->paintDevice());
        painter.fillRect(dot, QColor::fromRgba(rgb));
    }
    store->endPaint();
    store->flush(region, handle);
    return true;
}

void LiveWindow::redrawDirty(const QRectF& pixels) {
    const QRect dirty = pixels.toAlignedRect().intersected(rect());
    if (!dirty.isEmpty())
        repaint(dirty);
}

void LiveWindow::shapeMoved(const QRectF& before, const QRectF& after) {
    const auto toPixels = [](const QRectF& t) {
        return pixelsOf(float(t.x()), float(t.y()), float(t.width()), float(t.height()))
            .toAlignedRect()
            .adjusted(-2, -2, 2, 2);
    };
    surfaceStale = true;
    update(toPixels(before));
    update(toPixels(after));
}

QWidget& LiveWindow::control(const QString& name, std::optional<std::int16_t> index) const {
    QWidget* widget = controls.value(controlKey(name, index));
    if (!widget)
        throw Failure(QStringLiteral("%1 has no control %2")
                          .arg(describedAs.name, controlKey(name, index))
                          .toStdString());
    return *widget;
}

template <typename T> static T& as(QWidget& widget, const QString& window) {
    if (auto* typed = qobject_cast<T*>(&widget))
        return *typed;
    throw Failure(QStringLiteral("%1.%2 is not of the kind asked for")
                      .arg(window, widget.objectName())
                      .toStdString());
}

TextBox& LiveWindow::textBox(const QString& name) const {
    return as<TextBox>(control(name), describedAs.name);
}
ComboBox& LiveWindow::comboBox(const QString& name) const {
    return as<ComboBox>(control(name), describedAs.name);
}
QPushButton& LiveWindow::button(const QString& name) const {
    return as<QPushButton>(control(name), describedAs.name);
}

LiveShape& LiveWindow::shape(const QString& name) {
    for (LiveShape& s : shapes)
        if (s.name() == name)
            return s;
    throw Failure(QStringLiteral("%1 has no shape %2").arg(describedAs.name, name).toStdString());
}

void LiveWindow::paintEvent(QPaintEvent* event) {
    if ((QRegion(rect()) - event->region()).isEmpty())
        surfaceStale = false;
    QPainter painter(this);
    const QColor back = describedAs.backColor.resolve(palette());
    painter.fillRect(rect(), back);
    // Shapes and lines are outlined in the fore colour, unless that is the back colour too (the
    // screen saver window), where they would not show.
    QColor outline = describedAs.foreColor.resolve(palette());
    if (outline == back)
        outline = palette().color(QPalette::Highlight);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(Qt::NoBrush);
    for (const LiveShape& s : shapes) {
        const QRectF t = s.figure();
        const QRectF px = pixelsOf(float(t.x()), float(t.y()), float(t.width()), float(t.height()));
        switch (s.kind()) {
        case ShapeKind::Rectangle:
            painter.drawRect(px);
            break;
        case ShapeKind::Circle:
            painter.drawEllipse(px);
            break;
        case ShapeKind::RoundedSquare:
            painter.drawRoundedRect(px, px.width() / 8, px.height() / 8);
            break;
        }
    }
    for (const ControlDescription& control : describedAs.controls) {
        if (control.kind != ControlKind::Line)
            continue;
        const LineEnds& e = control.ends;
        painter.drawLine(QPointF(e.x1 / double(twipsPerPixel), e.y1 / double(twipsPerPixel)),
                         QPointF(e.x2 / double(twipsPerPixel), e.y2 / double(twipsPerPixel)));
    }
    if (!overlay.isNull())
        painter.drawImage(QPoint(0, 0), overlay);
}

void LiveWindow::resizeEvent(QResizeEvent* event) {
    surfaceStale = true;
    // A new size is the platform repaint that wipes every drawing.
    overlay = QImage();
    QWidget::resizeEvent(event);
}

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

bool LiveWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F4 && key->modifiers() == Qt::AltModifier) {
        if (sink)
            sink->closeRequested(*this);
        return true;
    }
    // Key preview: the window sees a character key before the focused control. A key that a
    // control ignores travels on to its parents; only its first delivery counts.
    const QWidget* receiver = qobject_cast<QWidget*>(watched);
    const QWidget* focused = focusWidget() ? focusWidget() : this;
    // Tab and Shift+Tab move the focus; they are not character keys.
    const bool navigation = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (describedAs.keyPreview && receiver == focused && !key->text().isEmpty() && !navigation) {
        EventArgs args;
        args.keyAscii = std::int16_t(key->text().at(0).unicode());
        QPointer<LiveWindow> alive(this);
        raiseEvent(formSource, Event::KeyPress, args);
        // A handler that unloaded the window has consumed the key.
        if (!alive || !sink)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void LiveWindow::closeEvent(QCloseEvent* event) {
    // The registry decides: the window's unload handler runs first, and only the registry
    // destroys the window.
    event->ignore();
    if (sink)
        sink->closeRequested(*this);
}

void LiveWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::ApplicationPaletteChange) {
        // System colours follow the colour scheme.
        applyColours();
        surfaceStale = true;
        update();
    }
    QWidget::changeEvent(event);
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
