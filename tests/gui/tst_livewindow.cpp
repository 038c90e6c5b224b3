#include "support/Fakes.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

using namespace qor;
using namespace qor::test;

namespace {

// A window with one control of every kind, a default and a cancel button, key preview, and a
// frame holding a label array.
class Sampler : public BoundModule<Sampler> {
public:
    using BoundModule::BoundModule;
    static inline QStringList log;
    static inline bool keyPreview = false;

    static WindowDescription describe() {
        using enum ControlKind;
        return {
            .name = "Sampler",
            .caption = "A & B",
            .clientWidth = 6000,
            .clientHeight = 4500,
            .borderStyle = BorderStyle::FixedDialog,
            .startUpPosition = StartUpPosition::CenterScreen,
            .keyPreview = keyPreview,
            .controls = {
                {.name = "lbl",
                 .kind = Label,
                 .index = 0,
                 .caption = "&Name:",
                 .box = {0, 0, 900, 300},
                 .tabIndex = 0},
                {.name = "txtName", .kind = TextBox, .box = {1000, 0, 2000, 300}, .tabIndex = 1},
                {.name = "lbl",
                 .kind = Label,
                 .index = 1,
                 .caption = "&Secret:",
                 .box = {0, 400, 900, 300},
                 .tabIndex = 2},
                {.name = "txtSecret",
                 .kind = TextBox,
                 .caption = "Text1",
                 .box = {1000, 400, 2000, 300},
                 .tabIndex = 3,
                 .passwordChar = u'\u00BF'},
                {.name = "txtOff",
                 .kind = TextBox,
                 .box = {1000, 800, 2000, 300},
                 .tabIndex = 4,
                 .enabled = false},
                {.name = "cmdOK",
                 .kind = Button,
                 .caption = "&OK",
                 .box = {0, 1200, 1200, 400},
                 .tabIndex = 5,
                 .isDefault = true},
                {.name = "cmdCancel",
                 .kind = Button,
                 .caption = "Cancel",
                 .box = {1500, 1200, 1200, 400},
                 .tabIndex = 6,
                 .isCancel = true},
                {.name = "fra",
                 .kind = Frame,
                 .index = 0,
                 .caption = "Group",
                 .box = {3000, 1200, 2900, 1500},
                 .tabIndex = 7,
                 .children = {{.name = "txtInside",
                               .kind = TextBox,
                               .box = {150, 300, 2000, 300},
                               .tabIndex = 8}}},
                {.name = "Wide",
                 .kind = Shape,
                 .box = {0, 3000, 1815, 1095},
                 .shape = ShapeKind::RoundedSquare},
                {.name = "Round",
                 .kind = Shape,
                 .box = {2000, 3000, 1335, 735},
                 .shape = ShapeKind::Circle},
            }};
    }
    static const std::vector<Binding<Sampler>> bindings;

    void cmdOK_Click() { log << "OK"; }
    void cmdCancel_Click() { log << "Cancel"; }
    void Form_KeyPress(std::int16_t& key) { log << QStringLiteral("key %1").arg(key); }
};

const std::vector<Binding<Sampler>> Sampler::bindings = {
    {"cmdOK", Event::Click, &Sampler::cmdOK_Click},
    {"cmdCancel", Event::Click, &Sampler::cmdCancel_Click},
    {"Form", Event::KeyPress, &Sampler::Form_KeyPress},
};

std::vector<WindowType> samplerTypes() {
    return withWindow(allWindowTypes(), windowType<Sampler>(WindowName::Form4));
}

struct Shown {
    TestProgram program{samplerTypes()};
    LiveWindow* window = nullptr;
    Shown() {
        program.show(WindowName::Form4);
        window = &program.window(WindowName::Form4);
        QVERIFY2(QTest::qWaitForWindowActive(window), "the window did not become active");
    }
    QWidget* focused() const { return QApplication::focusWidget(); }
    QWidget* control(const QString& key) const { return &window->control(key); }
};

} // namespace

class LiveWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        Sampler::log.clear();
        Sampler::keyPreview = false;
    }
    void cleanup() { checkNoStrayWindows(); }

    void captionShowsItsAmpersandAndFirstFocusSkipsLabels() {
        Shown s;
        QCOMPARE(s.window->windowTitle(), "A & B");
        QCOMPARE(s.focused(), s.control("txtName"));
        QCOMPARE(s.window->size(), QSize(400, 300));
    }

    void passwordCharacterMasksEveryCharacter() {
        Shown s;
        TextBox& secret = s.window->textBox("txtSecret");
        QCOMPARE(secret.displayText(), QString(5, QChar(0xBF)));
        QCOMPARE(secret.Text(), "Text1");
    }

    void tabFollowsTabIndexSkippingDisabledAndWraps() {
        Shown s;
        QStringList order;
        for (int i = 0; i < 6; ++i) {
            order << s.focused()->objectName();
            QTest::keyClick(s.focused(), Qt::Key_Tab);
        }
        QCOMPARE(order, (QStringList{"txtName", "txtSecret", "cmdOK", "cmdCancel", "txtInside",
                                     "txtName"}));
    }

    void enterAndEscapePressTheirButtons_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("Enter in a text box") << "txtName" << int(Qt::Key_Return) << "OK";
        QTest::newRow("Enter in the masked box") << "txtSecret" << int(Qt::Key_Enter) << "OK";
        QTest::newRow("Enter on Cancel") << "cmdCancel" << int(Qt::Key_Return) << "Cancel";
        QTest::newRow("Esc in a text box") << "txtName" << int(Qt::Key_Escape) << "Cancel";
        QTest::newRow("Esc on OK") << "cmdOK" << int(Qt::Key_Escape) << "Cancel";
        QTest::newRow("Space on Cancel") << "cmdCancel" << int(Qt::Key_Space) << "Cancel";
    }
    void enterAndEscapePressTheirButtons() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(QString, pressed);
        Shown s;
        s.control(focus)->setFocus();
        QTest::keyClick(s.control(focus), Qt::Key(key));
        QCOMPARE(Sampler::log, QStringList{pressed});
    }

    void keypadEnterPressesTheDefaultButton() {
        Shown s;
        QTest::keyClick(s.control("txtName"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(Sampler::log, QStringList{"OK"});
    }

    void accessKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("label to next field") << int(Qt::Key_S) << "txtSecret"
                                             << "";
        QTest::newRow("first label") << int(Qt::Key_N) << "txtName"
                                     << "";
        QTest::newRow("button") << int(Qt::Key_O) << ""
                                << "OK";
    }
    void accessKeys() {
        QFETCH(int, key);
        QFETCH(QString, focus);
        QFETCH(QString, pressed);
        Shown s;
        s.control("cmdCancel")->setFocus();
        QTest::keyClick(s.window, Qt::Key(key), Qt::AltModifier);
        if (!focus.isEmpty())
            QTRY_COMPARE(s.focused(), s.control(focus));
        if (!pressed.isEmpty())
            QTRY_COMPARE(Sampler::log, QStringList{pressed});
        // A label's "&" is not drawn: the label has a buddy and shows its mnemonic.
        QVERIFY(qobject_cast<QLabel*>(s.control("lbl(1)"))->buddy() == s.control("txtSecret"));
    }

    void disabledControlTakesNoClickOrFocus() {
        Shown s;
        QTest::mouseClick(s.control("txtOff"), Qt::LeftButton);
        QVERIFY(s.focused() != s.control("txtOff"));
        s.control("txtOff")->setFocus();
        QVERIFY(s.focused() != s.control("txtOff"));
    }

    void keyPreviewSeesEachCharacterKeyOnce_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("letter in a text box")
            << "txtName" << int(Qt::Key_A) << QStringList{"key 97"};
        QTest::newRow("Esc on a button")
            << "cmdOK" << int(Qt::Key_Escape) << QStringList{"key 27", "Cancel"};
        QTest::newRow("arrow produces nothing") << "txtName" << int(Qt::Key_Left) << QStringList{};
        QTest::newRow("F1 produces nothing") << "txtName" << int(Qt::Key_F1) << QStringList{};
        QTest::newRow("Tab moves the focus") << "txtName" << int(Qt::Key_Tab) << QStringList{};
    }
    void keyPreviewSeesEachCharacterKeyOnce() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(QStringList, log);
        Sampler::keyPreview = true;
        Shown s;
        s.control(focus)->setFocus();
        QTest::keyClick(s.control(focus), Qt::Key(key));
        QCOMPARE(Sampler::log, log);
    }

    void framesHoldTheirChildrenAndArraysKeepTheirIndexes() {
        Shown s;
        QWidget* inside = s.control("txtInside");
        QCOMPARE(inside->parentWidget(), s.control("fra(0)"));
        QCOMPARE(inside->geometry(), QRect(10, 20, 133, 20));
        QCOMPARE(qobject_cast<QLabel*>(s.control("lbl(0)"))->text(), "&Name:");
        QVERIFY(qobject_cast<QGroupBox*>(s.control("fra(0)")));
        QVERIFY_THROWS_EXCEPTION(Failure, s.window->control("lbl"));
    }

    void shapesTakeTheSmallerSideCentredInTheirBox() {
        Shown s;
        QCOMPARE(s.window->shape("Wide").figure(), QRectF(360, 3000, 1095, 1095));
        QCOMPARE(s.window->shape("Round").figure(), QRectF(2300, 3000, 735, 735));
    }

    void drawingsAreClippedAndWipedByAResize() {
        Shown s;
        s.window->setDrawWidth(4);
        s.window->PSet(-100000, -100000, OleColor::rgb(255, 0, 0)); // clipped, no failure
        s.window->PSet(150, 150, OleColor::rgb(255, 0, 0));
        const QImage layer = s.window->drawingLayer();
        // 150 twips is pixel 10: a 4-pixel dot centred there covers pixels 8 to 11.
        QCOMPARE(layer.pixelColor(8, 8), QColor(255, 0, 0));
        QCOMPARE(layer.pixelColor(11, 11), QColor(255, 0, 0));
        QCOMPARE(layer.pixelColor(12, 12).alpha(), 0);
        QCOMPARE(layer.pixelColor(7, 7).alpha(), 0);
        s.window->Circle(0, 0, 50000); // far larger than the window: no failure
        s.window->setFixedSize(410, 310);
        // What is drawn after the resize lands on a new layer of the new size, without the old dot.
        s.window->PSet(300, 300, OleColor::rgb(0, 0, 255));
        const QImage resized = s.window->drawingLayer();
        QCOMPARE(resized.size(), QSize(410, 310));
        QCOMPARE(resized.pixelColor(10, 10).alpha(), 0);
        QCOMPARE(resized.pixelColor(20, 20), QColor(0, 0, 255));
    }

    void systemColoursFollowTheColourScheme() {
        Shown s;
        const QPalette original = QApplication::palette();
        QPalette scheme = original;
        scheme.setColor(QPalette::Highlight, QColor(12, 34, 56));
        QApplication::setPalette(scheme);
        const auto back = [&] { return s.window->grab().toImage().pixelColor(398, 298); };
        QTRY_COMPARE(back(), QColor(12, 34, 56));
        QApplication::setPalette(original);
        QTRY_COMPARE(back(), original.color(QPalette::Highlight));
    }
};

QTEST_MAIN(LiveWindowTest)
#include "tst_livewindow.moc"
