#include "ui/LiveWindow.h"

#include "base/Failure.h"
#include "ui/InterfaceFont.h"
#include "ui/x11/X11FrameExtents.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace qor {

namespace {

// A window is announced as one, not as a pane of some other window.
QAccessibleInterface* windowAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(LiveWindow::staticMetaObject.className()) &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
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

template <typename T> T& as(QWidget& widget, const QString& window) {
    if (auto* typed = qobject_cast<T*>(&widget))
        return *typed;
    throw Failure(QStringLiteral("%1.%2 is not of the kind asked for")
                      .arg(window, widget.objectName())
                      .toStdString());
}

} // namespace

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
    modelClient = QSize(twipsToPixels(float(description.clientWidth)),
                        twipsToPixels(float(description.clientHeight)));
    resize(nativeSizeFor(modelClient));
    if (description.borderStyle == BorderStyle::FixedDialog)
        setFixedSize(size());
    // Alt+F4 that no window manager took, and key preview, are seen before any control acts;
    // the window's own filter also sees its platform window made, which asking for the frame
    // does now.
    installEventFilter(this);
    askForFrame();
    setFont(interfaceFont());
    buildControls(describedAs.controls, this);
    connectTabOrderAndBuddies();
    applyColours();
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

LiveWindow::~LiveWindow() = default;

void LiveWindow::detach() {
    sink = nullptr;
}

QWidget& LiveWindow::control(const QString& name, std::optional<std::int16_t> index) const {
    QWidget* widget = controls.value(controlKey(name, index));
    if (!widget)
        throw Failure(QStringLiteral("%1 has no control %2")
                          .arg(describedAs.name, controlKey(name, index))
                          .toStdString());
    return *widget;
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

void LiveWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::ApplicationPaletteChange) {
        // System colours follow the colour scheme.
        applyColours();
        drawing.markStale();
        update();
    }
    QWidget::changeEvent(event);
}

} // namespace qor
