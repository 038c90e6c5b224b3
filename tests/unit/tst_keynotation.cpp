#include "app/KeyNotation.h"
#include "app/Services.h"

#include <QKeySequence>
#include <QTest>

namespace qor {

// Readable strokes in QCOMPARE failures: "Shift+End" or "Ctrl+A 'a'".
char* toString(const KeyStroke& stroke) {
    QString text = QKeySequence(stroke.modifiers | stroke.key).toString();
    if (!stroke.text.isEmpty())
        text += QStringLiteral(" '%1'").arg(stroke.text.toHtmlEscaped());
    return qstrdup(text.toUtf8().constData());
}

} // namespace qor

using namespace qor;

namespace {

KeyStroke key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return {key, modifiers, QString()};
}

KeyStroke character(QChar c, Qt::KeyboardModifiers modifiers = Qt::NoModifier, QChar typed = {}) {
    return {Qt::Key(c.toUpper().unicode()), modifiers, QString(typed.isNull() ? c : typed)};
}

QList<KeyStroke> characters(const QString& text) {
    QList<KeyStroke> strokes;
    for (QChar c : text)
        strokes.append(character(c));
    return strokes;
}

const KeyStroke enter{Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")};

} // namespace

class KeyNotationTest : public QObject {
    Q_OBJECT
private slots:
    void validStrings_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QList<KeyStroke>>("strokes");
        const auto shift = Qt::ShiftModifier;
        const auto ctrl = Qt::ControlModifier;
        const auto alt = Qt::AltModifier;

        QTest::newRow("select all from home")
            << "{Home}+{End}" << QList{key(Qt::Key_Home), key(Qt::Key_End, shift)};
        QTest::newRow("plain characters") << "abc" << characters("abc");
        QTest::newRow("empty string") << "" << QList<KeyStroke>();
        QTest::newRow("blank and digits") << "a 1" << characters("a 1");
        QTest::newRow("shift applies to the next key only")
            << "+ab" << QList{character('a', shift, 'A'), character('b')};
        QTest::newRow("shift keeps a character that reads like a byte order mark")
            << QStringLiteral("+\uFEFF") << QList{character(QChar(0xFEFF), shift, QChar(0xFEFF))};
        QTest::newRow("ctrl group")
            << "^(ab)c" << QList{character('a', ctrl), character('b', ctrl), character('c')};
        QTest::newRow("stacked modifiers") << "+^a" << QList{character('a', shift | ctrl, 'A')};
        QTest::newRow("nested groups add modifiers")
            << "+(a^(b)c)"
            << QList{character('a', shift, 'A'), character('b', shift | ctrl, 'B'),
                     character('c', shift, 'C')};
        QTest::newRow("plain group") << "(ab)" << characters("ab");
        QTest::newRow("alt F4") << "%{F4}" << QList{key(Qt::Key_F4, alt)};
        QTest::newRow("tilde is enter") << "a~" << QList{character('a'), enter};
        QTest::newRow("shift enter") << "+~" << QList{KeyStroke{Qt::Key_Return, shift, "\r"}};
        QTest::newRow("repeat a named key")
            << "{Left 3}" << QList{key(Qt::Key_Left), key(Qt::Key_Left), key(Qt::Key_Left)};
        QTest::newRow("repeat a character") << "{x 2}" << characters("xx");
        QTest::newRow("modifier covers every repeat")
            << "+{Right 2}" << QList{key(Qt::Key_Right, shift), key(Qt::Key_Right, shift)};
        QTest::newRow("repeat at the cap") << "{a 1000}" << QList<KeyStroke>(1000, character('a'));
        QTest::newRow("special characters in braces")
            << "{+}{^}{%}{~}{(}{)}{{}{}}" << characters("+^%~(){}");
        QTest::newRow("repeated closing brace") << "{} 2}" << characters("}}");
        QTest::newRow("shift types capitals of letters only")
            << QString::fromUtf8("+ä+A+1")
            << QList{KeyStroke{Qt::Key_Adiaeresis, shift, "Ä"}, character('A', shift),
                     character('1', shift)};
        QTest::newRow("literal plus with shift") << "+{+}" << QList{character('+', shift)};
        QTest::newRow("names ignore case") << "{HOME}{end}{pgup}{PgDn}{esc}{ESCAPE}"
                                           << QList{key(Qt::Key_Home),
                                                    key(Qt::Key_End),
                                                    key(Qt::Key_PageUp),
                                                    key(Qt::Key_PageDown),
                                                    KeyStroke{Qt::Key_Escape, {}, "\x1b"},
                                                    KeyStroke{Qt::Key_Escape, {}, "\x1b"}};
        QTest::newRow("editing keys and their aliases")
            << "{Backspace}{BS}{BKSP}{Delete}{Del}{Insert}{Ins}{Tab}{Enter}"
            << QList{KeyStroke{Qt::Key_Backspace, {}, "\b"},
                     KeyStroke{Qt::Key_Backspace, {}, "\b"},
                     KeyStroke{Qt::Key_Backspace, {}, "\b"},
                     KeyStroke{Qt::Key_Delete, {}, "\x7f"},
                     KeyStroke{Qt::Key_Delete, {}, "\x7f"},
                     key(Qt::Key_Insert),
                     key(Qt::Key_Insert),
                     KeyStroke{Qt::Key_Tab, {}, "\t"},
                     enter};
        QTest::newRow("arrows") << "{Up}{Down}{Left}{Right}"
                                << QList{key(Qt::Key_Up), key(Qt::Key_Down), key(Qt::Key_Left),
                                         key(Qt::Key_Right)};
        QTest::newRow("first and last function keys")
            << "{F1}{f16}" << QList{key(Qt::Key_F1), key(Qt::Key_F16)};
        QTest::newRow("non-ASCII character")
            << QString::fromUtf8("ä") << QList{KeyStroke{Qt::Key_Adiaeresis, {}, "ä"}};
    }
    void validStrings() {
        QFETCH(QString, keys);
        QFETCH(QList<KeyStroke>, strokes);
        QCOMPARE(parseKeyNotation(keys), strokes);
    }

    void malformedStrings_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("fault");
        QTest::newRow("unclosed brace") << "ab{Home" << 3 << "unclosed brace";
        QTest::newRow("brace at the end") << "ab{" << 3 << "unclosed brace";
        QTest::newRow("unclosed repeat") << "{Left 3" << 1 << "unclosed brace";
        QTest::newRow("unknown key name") << "{Home}+{Edn}" << 9 << "unknown key name \"Edn\"";
        QTest::newRow("function key beyond 16") << "{F17}" << 2 << "unknown key name";
        QTest::newRow("function key zero") << "{F0}" << 2 << "unknown key name";
        QTest::newRow("empty braces") << "a{}b" << 2 << "empty braces";
        QTest::newRow("lone closing brace") << "a}" << 2 << "closing brace";
        QTest::newRow("repeat count not a number") << "{Left x}" << 7 << "not a number";
        QTest::newRow("negative repeat count") << "{Left -1}" << 7 << "not a number";
        QTest::newRow("blank after repeat count") << "{a 2 }" << 4 << "not a number";
        QTest::newRow("missing repeat count") << "{Left }" << 7 << "missing";
        QTest::newRow("zero repeat count") << "{Left 0}" << 7 << "zero";
        QTest::newRow("repeat count above the cap") << "{a 1001}" << 4 << "above 1000";
        QTest::newRow("huge repeat count") << "{a 99999999999999999999999}" << 4 << "above 1000";
        QTest::newRow("unclosed parenthesis") << "x^(ab" << 3 << "unclosed parenthesis";
        QTest::newRow("unclosed outer parenthesis") << "((a)" << 1 << "unclosed parenthesis";
        QTest::newRow("lone closing parenthesis") << "ab)" << 3 << "closing parenthesis";
        QTest::newRow("empty parentheses") << "a+()" << 3 << "empty parentheses";
        QTest::newRow("modifier at the end") << "ab+" << 3 << "no key";
        QTest::newRow("modifier chain at the end") << "a^%" << 2 << "no key";
        QTest::newRow("modifier before closing parenthesis") << "(a+)" << 3 << "no key";
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + u'a' << 1 << "surrogate";
        QTest::newRow("lone surrogate in braces")
            << u'{' + QString(QChar(0xDC00)) + u'}' << 2 << "surrogate";
        QTest::newRow("control character") << "a\x01" << 2 << "control character";
        QTest::newRow("place marker in the string") << "%1{" << 3 << "unclosed brace";
        QTest::newRow("NUL character")
            << QStringLiteral("ab") + QChar(0) + u'c' << 3 << "control character U+0000";
    }
    void malformedStrings() {
        QFETCH(QString, keys);
        QFETCH(int, position);
        QFETCH(QString, fault);
        try {
            parseKeyNotation(keys);
            QFAIL("no failure");
        } catch (const Failure& failure) {
            const QString message = failure.text();
            QVERIFY2(message.contains(QStringLiteral("at position %1:").arg(position)),
                     qPrintable(message));
            QVERIFY2(message.contains(fault), qPrintable(message));
        }
    }

    void deeplyNestedGroupsNeedNoStack() {
        const int depth = 100000;
        const QString keys = QString(depth, u'(') + u'a' + QString(depth, u')');
        QCOMPARE(parseKeyNotation(keys), characters("a"));
    }
};

QTEST_MAIN(KeyNotationTest)
#include "tst_keynotation.moc"
