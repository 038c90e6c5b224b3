#include "ui/CharacterKeys.h"

#include <QTest>

using namespace qor;

// Each key as X reports it: the key, the modifiers held, and the text X attaches.
class CharacterKeysTest : public QObject {
    Q_OBJECT
private slots:
    void characterOfKey_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("character"); // -1: the key produces none
        const int none = Qt::NoModifier;
        const int ctrl = Qt::ControlModifier;
        const int shift = Qt::ShiftModifier;
        QTest::newRow("letter") << int(Qt::Key_Q) << none << "q" << int('q');
        QTest::newRow("capital") << int(Qt::Key_Q) << shift << "Q" << int('Q');
        QTest::newRow("digit") << int(Qt::Key_7) << none << "7" << int('7');
        QTest::newRow("space") << int(Qt::Key_Space) << none << " " << int(' ');
        QTest::newRow("punctuation") << int(Qt::Key_Dollar) << shift << "$" << int('$');
        QTest::newRow("accented letter") << int(Qt::Key_Eacute) << none << "é" << 0xE9;
        QTest::newRow("keypad digit")
            << int(Qt::Key_5) << int(Qt::KeypadModifier) << "5" << int('5');
        QTest::newRow("Enter") << int(Qt::Key_Return) << none << "\r" << 13;
        QTest::newRow("keypad Enter")
            << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << 13;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << none << "\x1b" << 27;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << "\b" << 8;
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << ctrl << "\x01" << 1;
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << ctrl << "\x1a" << 26;
        QTest::newRow("Ctrl+C without text") << int(Qt::Key_C) << ctrl << "" << 3;
        QTest::newRow("Ctrl+Shift+C") << int(Qt::Key_C) << (ctrl | shift) << "\x03" << 3;
        QTest::newRow("Ctrl+digit") << int(Qt::Key_1) << ctrl << "1" << -1;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << "\x7f" << -1;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << none << "\t" << -1;
        QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << shift << "" << -1;
        QTest::newRow("Home") << int(Qt::Key_Home) << none << "" << -1;
        QTest::newRow("Insert") << int(Qt::Key_Insert) << none << "" << -1;
        QTest::newRow("arrow") << int(Qt::Key_Left) << none << "" << -1;
        QTest::newRow("F1") << int(Qt::Key_F1) << none << "" << -1;
        QTest::newRow("Shift alone") << int(Qt::Key_Shift) << shift << "" << -1;
        QTest::newRow("Ctrl alone") << int(Qt::Key_Control) << ctrl << "" << -1;
        QTest::newRow("Alt alone") << int(Qt::Key_Alt) << int(Qt::AltModifier) << "" << -1;
        QTest::newRow("Alt+letter, an access key")
            << int(Qt::Key_O) << int(Qt::AltModifier) << "o" << -1;
    }
    void characterOfKey() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, character);
        const auto produced = qor::characterOfKey(key, Qt::KeyboardModifiers(modifiers), text);
        QCOMPARE(produced ? int(*produced) : -1, character);
    }
};

QTEST_APPLESS_MAIN(CharacterKeysTest)
#include "tst_characterkeys.moc"
