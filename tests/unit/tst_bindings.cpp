#include "ui/ControlEvents.h"
#include "windows/AllWindows.h"

#include <QTest>

using namespace qor;

namespace {

const ControlDescription* findControl(const std::vector<ControlDescription>& controls,
                                      const QString& name) {
    for (const ControlDescription& control : controls) {
        if (control.name == name)
            return &control;
        if (const ControlDescription* child = findControl(control.children, name))
            return child;
    }
    return nullptr;
}

} // namespace

// Every binding, those that launch rows make included, names a control that exists and an event
// that its kind can raise, and binds it once, so that a handler can never be silently
// unreachable.
class BindingsTest : public QObject {
    Q_OBJECT
private slots:
    void everyBindingReachesItsHandler() {
        int windowsWithCode = 0;
        for (const WindowType& type : allWindowTypes()) {
            if (!type.boundEvents)
                continue;
            ++windowsWithCode;
            const WindowDescription description = type.describe();
            QSet<QPair<QString, int>> bound;
            for (const auto& [source, event] : type.boundEvents()) {
                const QString where = description.name + "." + source;
                QVERIFY2(!bound.contains({source, int(event)}),
                         qPrintable(where + " is bound twice"));
                bound.insert({source, int(event)});
                if (source == formSource) {
                    QVERIFY2(windowRaises(event), qPrintable(where));
                    continue;
                }
                const ControlDescription* control = findControl(description.controls, source);
                QVERIFY2(control, qPrintable(where + " does not exist"));
                QVERIFY2(!control->index, qPrintable(where + " is an array member"));
                QVERIFY2(kindRaises(control->kind, event),
                         qPrintable(where + " cannot raise the bound event"));
            }
        }
        QVERIFY(windowsWithCode > 0);
    }

    void controlNamesAreUniqueUnlessInAnArray() {
        for (const WindowType& type : allWindowTypes()) {
            QSet<QString> keys;
            std::function<void(const std::vector<ControlDescription>&)> walk =
                [&](const std::vector<ControlDescription>& controls) {
                    for (const ControlDescription& c : controls) {
                        const QString key = controlKey(c.name, c.index);
                        QVERIFY2(!keys.contains(key), qPrintable(type.describe().name + "." + key));
                        keys.insert(key);
                        walk(c.children);
                    }
                };
            walk(type.describe().controls);
        }
    }
};

QTEST_MAIN(BindingsTest)
#include "tst_bindings.moc"
