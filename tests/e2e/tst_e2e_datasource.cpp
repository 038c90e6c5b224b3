#include "BuildValues.h"
#include "support/HiddenPath.h"
#include "support/OdbcConfiguration.h"
#include "support/WindowPlaces.h"
#include "support/X11Session.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using namespace qor;
using namespace qor::test;

namespace {

const QString sampleTitle = QString::fromUtf8(qor::build::applicationTitle);

} // namespace

// The dialog's lists are read back through what the user can see of them: each item is picked
// with the keyboard and "&OK" is pressed, and the sample code box names the selected data source
// ("DSN=...") or driver ("Driver=..."). The box's text is read as a user would copy it, by
// selecting it with the mouse; this test is a GUI application so that it can read that selection
// from the X server.
class DataSourceEndToEnd : public QObject {
    Q_OBJECT

    // Presses "&OK" and returns line 3 of the sample code, or an empty text when no box came.
    // The box's text can be selected with the mouse, and on X a selection is the PRIMARY
    // selection: a drag from inside the first line to the box's far corner selects from there
    // to the end, line 3 included.
    QString sampleLine(QorProcess& qor, qulonglong dialog) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear(QClipboard::Selection);
        QorProcess::key("alt+o");
        const qulonglong box = qor.waitForWindow(sampleTitle);
        if (!box)
            return {};
        QorProcess::activate(box);
        const QRect area = QorProcess::clientArea(box);
        const QPoint from = area.topLeft() + QPoint(60, 18);
        const QPoint to = area.bottomRight() - QPoint(3, 3);
        run("xdotool", {"mousemove", "--sync", QString::number(from.x()), QString::number(from.y()),
                        "mousedown", "1", "mousemove", "--sync", QString::number(to.x()),
                        QString::number(to.y()), "mouseup", "1"});
        QString selected;
        const bool wasSelected = QTest::qWaitFor(
            [&] {
                selected = clipboard->text(QClipboard::Selection);
                return selected.contains("gConnection.Open");
            },
            10000);
        QorProcess::key("Return");
        if (!wasSelected || !qor.waitForWindowGone(sampleTitle))
            return {};
        QorProcess::activate(dialog);
        const QRegularExpression line3(R"re(gConnection\.Open "([^\n]*)")re");
        return line3.match(selected).captured(1);
    }

    // Walks a list from its current item down with the arrow key until the composed string no
    // longer changes, and returns the value of `attribute` for each item.
    QStringList walk(QorProcess& qor, qulonglong dialog, const QString& attribute) {
        const QRegularExpression value(QRegularExpression::escape(attribute) + "=([^;]*);");
        QStringList values;
        QString previous;
        for (int guard = 0; guard < 20; ++guard) {
            const QString line = sampleLine(qor, dialog);
            if (line.isEmpty() || line == previous)
                break;
            values << value.match(line).captured(1);
            previous = line;
            QorProcess::key("Down");
        }
        return values;
    }

private slots:
    void hiddenPathOpensTheDialogListingTheConfiguredDataSources() {
        QTemporaryDir odbc;
        QVERIFY(odbc.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString unusable =
            useOdbcConfiguration(odbc.path(), sampleDataSources(), environment);
        QVERIFY2(unusable.isEmpty(), qPrintable(unusable));

        QorProcess qor(environment);
        QVERIFY(qor.start());
        const QString failed = openDataSourceDialog(qor);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));

        const qulonglong dialog = qor.waitForWindow(dataSourceTitle);
        QVERIFY2(dialog, "the data source dialog did not appear");
        QorProcess::activate(dialog);

        // "(None)" comes first and composes the driver form; every later item is a data source.
        QorProcess::key("alt+d");
        const QString first = sampleLine(qor, dialog);
        QVERIFY2(first.startsWith("PROVIDER=MSDASQL;Driver=;Server=;"), qPrintable(first));
        QorProcess::key("Down");
        QCOMPARE(walk(qor, dialog, "DSN"), (QStringList{"Archive", "Payroll", "Stock"}));

        // Back on "(None)" the driver list is enabled and holds each driver once.
        QorProcess::key("Home");
        QorProcess::key("alt+v");
        QorProcess::key("Down");
        QCOMPARE(walk(qor, dialog, "Driver"), (QStringList{"PostgreSQL Unicode", "SQLite3"}));

        QorProcess::key("Escape");
        QVERIFY(qor.waitForWindowGone(dataSourceTitle));
        QVERIFY(qor.running());
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit(30000));
    }
};

QTEST_MAIN(DataSourceEndToEnd)
#include "tst_e2e_datasource.moc"
