#include "app/platform/QtKeystrokeService.h"

#include "app/KeyNotation.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <memory>

namespace qor {

namespace {

struct KeyEventStep {
    QEvent::Type type;
    KeyStroke stroke;
};

using KeyEventSteps = std::shared_ptr<const QList<KeyEventStep>>;

void deliverFrom(const KeyEventSteps& steps, qsizetype index) {
    if (index >= steps->size())
        return;
    // The next step is queued before this one is sent: should this key open a modal box, the
    // box's event loop delivers the rest, to whatever has the focus then, as typing would.
    QMetaObject::invokeMethod(
        qApp, [steps, index] { deliverFrom(steps, index + 1); }, Qt::QueuedConnection);
    const KeyEventStep& step = steps->at(index);
    if (QWidget* target = QApplication::focusWidget()) {
        QKeyEvent event(step.type, step.stroke.key, step.stroke.modifiers, step.stroke.text);
        QCoreApplication::sendEvent(target, &event);
    }
}

} // namespace

void QtKeystrokeService::send(const QString& keys) {
    const QList<KeyStroke> strokes = parseKeyNotation(keys);
    auto steps = std::make_shared<QList<KeyEventStep>>();
    steps->reserve(strokes.size() * 2);
    for (const KeyStroke& stroke : strokes) {
        steps->append({QEvent::KeyPress, stroke});
        steps->append({QEvent::KeyRelease, stroke});
    }
    QMetaObject::invokeMethod(
        qApp, [steps = KeyEventSteps(steps)] { deliverFrom(steps, 0); }, Qt::QueuedConnection);
}

} // namespace qor
