#include "ui/LiveWindow.h"

#include "app/Services.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace qor {

namespace {

QRectF pixelsOf(float left, float top, float width, float height) {
    return {left / twipsPerPixel, top / twipsPerPixel, width / twipsPerPixel,
            height / twipsPerPixel};
}

QRect pixelBox(const Box& box) {
    return {twipsToPixels(float(box.left)), twipsToPixels(float(box.top)),
            twipsToPixels(float(box.width)), twipsToPixels(float(box.height))};
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
    setObjectName(description.name);
    setWindowTitle(description.caption);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    const QSize client(twipsToPixels(float(description.clientWidth)),
                       twipsToPixels(float(description.clientHeight)));
    resize(client);
    if (description.borderStyle == BorderStyle::FixedDialog)
        setFixedSize(client);
    overlay = QImage(client, QImage::Format_ARGB32_Premultiplied);
    overlay.fill(Qt::transparent);
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
        if (label->text().contains(u'&'))
            label->setBuddy(next->second);
        if (next->first->kind == ControlKind::TextBox || next->first->kind == ControlKind::ComboBox)
            next->second->setAccessibleName(label->accessibleName());
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
    switch (state) {
    case 0:
        showNormal();
        break;
    case 1:
        showMinimized();
        break;
    case 2:
        showMaximized();
        break;
    default:
        throw Failure("Invalid window state " + std::to_string(state));
    }
}

void LiveWindow::setDrawWidth(int pixels) {
    if (pixels < 1 || pixels > 32767)
        throw Failure("Invalid draw width " + std::to_string(pixels));
    penWidth = pixels;
}

void LiveWindow::Circle(float x, float y, float radius, std::optional<OleColor> colour) {
    const QColor pen = colour.value_or(describedAs.foreColor).resolve(palette());
    const QPointF centre(x / twipsPerPixel, y / twipsPerPixel);
    const qreal r = radius / twipsPerPixel;
    {
        QPainter painter(&overlay);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(pen, penWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, r, r);
    }
    const qreal reach = r + penWidth + 1;
    redrawDirty(QRectF(centre.x() - reach, centre.y() - reach, 2 * reach, 2 * reach));
}

void LiveWindow::PSet(float x, float y, OleColor colour) {
    // A dot DrawWidth pixels across, centred on the point, written straight into the layer:
    // thousands of them are drawn in one handler and each must show at once.
    const int size = penWidth;
    const int left = int(std::floor(x / twipsPerPixel - (size - 1) / 2.0f));
    const int top = int(std::floor(y / twipsPerPixel - (size - 1) / 2.0f));
    const QRect dot = QRect(left, top, size, size).intersected(overlay.rect());
    if (dot.isEmpty())
        return;
    const QRgb rgb = colour.resolve(palette()).rgba();
    for (int row = dot.top(); row <= dot.bottom(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(overlay.scanLine(row));
        std::fill(line + dot.left(), line + dot.right() + 1, rgb);
    }
    repaint(dot);
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

void LiveWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), describedAs.backColor.resolve(palette()));
    const QColor outline = describedAs.foreColor.resolve(palette());
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
    painter.drawImage(QPoint(0, 0), overlay);
}

void LiveWindow::resizeEvent(QResizeEvent* event) {
    // A new size is the platform repaint that wipes every drawing.
    overlay = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    overlay.fill(Qt::transparent);
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
    if (enter && event->modifiers() == Qt::NoModifier) {
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
    if (describedAs.keyPreview && receiver == focused && !key->text().isEmpty()) {
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
