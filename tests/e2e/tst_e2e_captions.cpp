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
// A window can be mapped and active before qor has put its first paint on the screen, and no X
// event marks that paint: the picture is taken again until every caption shows whole, and a
// caption that is really cut still fails once the bound has passed.
QString cutCaptionsOf(qulonglong window, const WindowDescription& description) {
    if (!QorProcess::waitUntilActive(window))
        QorProcess::activate(window);
    QString cut;
    const bool whole = QTest::qWaitFor(
        [&] {
            const QImage shown = grabClientArea(window);
            if (shown.size() != clientSizeOf(description)) {
                cut = QStringLiteral("%1: no picture of its client area").arg(description.name);
                return false;
            }
            const QStringList captions = cutCaptions(shown, description);
            cut = captions.isEmpty()
                      ? QString()
                      : description.name + QStringLiteral(" cuts ") + captions.join(", ");
            return cut.isEmpty();
        },
        5000);
    return whole ? QString() : cut;
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
