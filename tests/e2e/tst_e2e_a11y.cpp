#include "support/HiddenPath.h"
#include "support/OdbcConfiguration.h"
#include "support/WindowPlaces.h"
#include "support/X11Session.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>
#include <sys/types.h>

using namespace qor;
using namespace qor::test;

namespace {

const QString treeScript = QStringLiteral(QOR_SOURCE_DIR "/tests/e2e/a11y_tree.py");
const QString python = QStringLiteral("/usr/bin/python3");
const QString busLauncher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");
const QString textOneName = QStringLiteral("$ecret 0ptions Enter Pase Here");

QJsonArray childrenOf(const QJsonObject& node) {
    return node.value("children").toArray();
}

void visit(const QJsonObject& node, const std::function<void(const QJsonObject&)>& f) {
    f(node);
    for (const QJsonValue child : childrenOf(node))
        visit(child.toObject(), f);
}

QList<QJsonObject> nodesWithRole(const QJsonObject& root, const QString& role) {
    QList<QJsonObject> found;
    visit(root, [&](const QJsonObject& node) {
        if (node.value("role").toString() == role)
            found << node;
    });
    return found;
}

QStringList namesOf(const QList<QJsonObject>& nodes) {
    QStringList names;
    for (const QJsonObject& node : nodes)
        names << node.value("name").toString();
    return names;
}

QJsonObject nodeNamed(const QJsonObject& root, const QString& name) {
    QJsonObject found;
    visit(root, [&](const QJsonObject& node) {
        if (found.isEmpty() && node.value("name").toString() == name)
            found = node;
    });
    return found;
}

QJsonObject windowNamed(const QJsonObject& application, const QString& name) {
    for (const QJsonValue child : childrenOf(application))
        if (child.toObject().value("name").toString() == name)
            return child.toObject();
    return {};
}

} // namespace

// Reads the running program through Qt's accessibility bridge as a screen reader would: a private
// D-Bus session with the AT-SPI bus, and pyatspi walking the tree of the program's process.
class AccessibilityEndToEnd : public QObject {
    Q_OBJECT

    qint64 sessionBusPid = 0;
    QProcess atSpiBus;

    // The program's accessibility tree once `window` is in it (an empty object otherwise).
    QJsonObject treeWith(const QorProcess& qor, const QString& window) {
        QJsonObject tree;
        const bool found = QTest::qWaitFor(
            [&] {
                const QString json =
                    run(python, {treeScript, "dump", QString::number(qor.pid())}, 30000);
                tree = QJsonDocument::fromJson(json.toUtf8()).object();
                return !windowNamed(tree, window).isEmpty();
            },
            20000);
        return found ? tree : QJsonObject{};
    }

    static QProcessEnvironment programEnvironment() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        return environment;
    }

private slots:
    void initTestCase() {
        if (!QFileInfo::exists(busLauncher) ||
            run("sh", {"-c", "command -v dbus-launch"}).isEmpty())
            QSKIP(
                "the AT-SPI bus launcher or dbus-launch is not installed (at-spi2-core, dbus-x11)");
        if (run(python, {"-c", "import pyatspi; print('ok')"}) != "ok")
            QSKIP("pyatspi is not installed (python3-pyatspi)");

        const QString launched = run("dbus-launch", {});
        const QString address =
            QRegularExpression("DBUS_SESSION_BUS_ADDRESS=(\\S+)").match(launched).captured(1);
        sessionBusPid = QRegularExpression("DBUS_SESSION_BUS_PID=(\\d+)")
                            .match(launched)
                            .captured(1)
                            .toLongLong();
        QVERIFY2(!address.isEmpty() && sessionBusPid > 0, qPrintable(launched));
        // Every process started from here on (the bus launcher, qor, pyatspi) uses this session.
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());

        atSpiBus.start(busLauncher, {"--launch-immediately"});
        QVERIFY(atSpiBus.waitForStarted(5000));
        QString busAddress;
        const bool up = QTest::qWaitFor(
            [&] {
                busAddress = run("dbus-send", {"--session", "--print-reply", "--dest=org.a11y.Bus",
                                               "/org/a11y/bus", "org.a11y.Bus.GetAddress"});
                return busAddress.contains("unix:");
            },
            10000);
        QVERIFY2(up, "the AT-SPI bus did not come up");
    }

    void cleanupTestCase() {
        if (atSpiBus.state() != QProcess::NotRunning) {
            atSpiBus.terminate();
            if (!atSpiBus.waitForFinished(5000))
                atSpiBus.kill();
        }
        if (sessionBusPid > 0)
            ::kill(pid_t(sessionBusPid), SIGTERM);
    }

    void mainAndToolsWindowsAreReadableAndAButtonPressesThroughIt() {
        QorProcess qor(programEnvironment());
        QVERIFY(qor.start());
        QVERIFY2(qor.waitForWindow(mainTitle), "the main window did not appear");

        const QJsonObject tree = treeWith(qor, mainTitle);
        const QJsonObject main = windowNamed(tree, mainTitle);
        QVERIFY2(!main.isEmpty(), "the main window is not in the accessibility tree");
        QCOMPARE(main.value("role").toString(), QStringLiteral("frame"));
        const QStringList mainButtons = namesOf(nodesWithRole(main, "push button"));
        for (const char* caption : {"Calculator", "NEXT PAGE", "About", "SPLASH SCREEN",
                                    "Click here To Close My Proggy", "Freaky~ Hypo~"})
            QVERIFY2(mainButtons.contains(caption), qPrintable(mainButtons.join(" | ")));
        QVERIFY2(!nodeNamed(main, "Vorpex logo").isEmpty(), "the logo picture has no name");

        const QString pressed =
            run(python, {treeScript, "press", QString::number(qor.pid()), mainTitle, "NEXT PAGE"},
                30000);
        QCOMPARE(pressed, QStringLiteral("pressed"));
        QVERIFY2(qor.waitForWindow(toolsTitle), "the tools window did not appear");

        const QJsonObject toolsTree = treeWith(qor, toolsTitle);
        const QJsonObject tools = windowNamed(toolsTree, toolsTitle);
        QVERIFY2(!tools.isEmpty(), "the tools window is not in the accessibility tree");
        const QStringList toolsButtons = namesOf(nodesWithRole(tools, "push button"));
        for (const char* caption : {"Control Panel", "Paint", "Splash Screen"})
            QVERIFY2(toolsButtons.contains(caption), qPrintable(toolsButtons.join(" | ")));
        QVERIFY2(namesOf(nodesWithRole(tools, "label")).contains(textOneName),
                 qPrintable(namesOf(nodesWithRole(tools, "label")).join(" | ")));

        // Text1 holds "Text1" behind its mask: it is named by its label and tells nothing of it.
        const QList<QJsonObject> passwords = nodesWithRole(tools, "password text");
        QCOMPARE(passwords.size(), 1);
        const QJsonObject field = passwords.first();
        QCOMPARE(field.value("name").toString(), textOneName);
        QCOMPARE(field.value("labelled_by").toArray(), QJsonArray{textOneName});
        QVERIFY2(!field.value("text").toString().contains("Text1"),
                 qPrintable(field.value("text").toString()));
        QVERIFY2(!QJsonDocument(field).toJson().contains("Text1"),
                 QJsonDocument(field).toJson().constData());

        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit(30000));
    }

    void dataSourceDialogListsItsItems() {
        QTemporaryDir odbc;
        QVERIFY(odbc.isValid());
        QProcessEnvironment environment = programEnvironment();
        const QString unusable =
            useOdbcConfiguration(odbc.path(), sampleDataSources(), environment);
        QVERIFY2(unusable.isEmpty(), qPrintable(unusable));

        QorProcess qor(environment);
        QVERIFY(qor.start());
        QVERIFY2(qor.waitForWindow(mainTitle), "the main window did not appear");
        QVERIFY(treeWith(qor, mainTitle).size() > 0);
        QCOMPARE(run(python,
                     {treeScript, "press", QString::number(qor.pid()), mainTitle, "NEXT PAGE"},
                     30000),
                 QStringLiteral("pressed"));

        const QString failed = openDataSourceDialogFromTools(qor);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QVERIFY2(qor.waitForWindow(dataSourceTitle), "the data source dialog did not appear");

        const QJsonObject tree = treeWith(qor, dataSourceTitle);
        const QJsonObject dialog = windowNamed(tree, dataSourceTitle);
        QVERIFY2(!dialog.isEmpty(), "the data source dialog is not in the accessibility tree");
        const QStringList buttons = namesOf(nodesWithRole(dialog, "push button"));
        QVERIFY2(buttons.contains("OK") && buttons.contains("Cancel"),
                 qPrintable(buttons.join(" | ")));

        // On Linux Qt names a list by its current item; its label names it through the "labelled
        // by" relation (beside the frame around it), and text boxes carry both.
        const QList<QJsonObject> combos = nodesWithRole(dialog, "combo box");
        QCOMPARE(combos.size(), 2);
        QVERIFY(combos[0].value("labelled_by").toArray().contains("DSN:"));
        QVERIFY(combos[1].value("labelled_by").toArray().contains("Driver:"));
        QCOMPARE(namesOf(nodesWithRole(combos[0], "list item")),
                 (QStringList{"(None)", "Archive", "Payroll", "Stock"}));
        QCOMPARE(namesOf(nodesWithRole(combos[1], "list item")),
                 (QStringList{"PostgreSQL Unicode", "SQLite3"}));
        const QList<QJsonObject> fields =
            nodesWithRole(dialog, "text") + nodesWithRole(dialog, "password text");
        QStringList fieldNames;
        for (const QJsonObject& field : fields) {
            fieldNames << field.value("name").toString();
            QVERIFY2(field.value("labelled_by").toArray().contains(field.value("name")),
                     QJsonDocument(field).toJson().constData());
        }
        fieldNames.sort();
        QCOMPARE(fieldNames, (QStringList{"Database:", "Password:", "Server:", "UID:"}));

        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit(30000));
    }
};

QTEST_GUILESS_MAIN(AccessibilityEndToEnd)
#include "tst_e2e_a11y.moc"
