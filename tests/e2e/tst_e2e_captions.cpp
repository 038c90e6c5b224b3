#include "support/CaptionInk.h"
#include "support/HiddenPath.h"
#include "support/WindowPlaces.h"
#include "support/X11Session.h"
#include "windows/datasource/frmODBCLogon.h"
#include "windows/main/Form1.h"
#include "windows/tools/Frmprogress.h"

#include <QTest>
#include <csignal>

using namespace qor;
using namespace qor::test;

namespace {

// What the X server shows of the window's captions, read from a picture of its client area.
QString cutCaptionsOf(qulonglong window, const WindowDescription& description) {
    if (!QorProcess::waitUntilActive(window))
        QorProcess::activate(window);
    const QImage shown = grabClientArea(window);
    if (shown.size() != clientSizeOf(description))
        return QStringLiteral("%1: no picture of its client area").arg(description.name);
    const QStringList cut = cutCaptions(shown, description);
    return cut.isEmpty() ? QString() : description.name + QStringLiteral(" cuts ") + cut.join(", ");
}

} // namespace

// The layouts are fixed in twips: on the real X server, in the font that qor draws with, every
// caption and label shows whole.
class CaptionsEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void captionsAndLabelsShowWhole() {
        QorProcess qor;
        QVERIFY(qor.start());
        const qulonglong main = qor.waitForWindow(mainTitle);
        QVERIFY2(main, "the main window did not appear");
        QString cut = cutCaptionsOf(main, Form1::describe());
        QVERIFY2(cut.isEmpty(), qPrintable(cut));

        QorProcess::click(main, nextPage);
        const qulonglong tools = qor.waitForWindow(toolsTitle);
        QVERIFY2(tools, "the tools window did not appear");
        cut = cutCaptionsOf(tools, Frmprogress::describe());
        QVERIFY2(cut.isEmpty(), qPrintable(cut));

        const QString failed = openDataSourceDialogFromTools(qor);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        const qulonglong dialog = qor.waitForWindow(dataSourceTitle);
        QVERIFY2(dialog, "the data source dialog did not appear");
        cut = cutCaptionsOf(dialog, frmODBCLogon::describe());
        QVERIFY2(cut.isEmpty(), qPrintable(cut));

        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit(30000));
    }
};

QTEST_GUILESS_MAIN(CaptionsEndToEnd)
#include "tst_e2e_captions.moc"
