#include "app/KeyNotation.h"

#include "base/Failure.h"

#include <array>

namespace qor {

namespace {

struct NamedKey {
    const char* name;
    Qt::Key key;
    const char* text;
};

// The text of the keys that produce a control character is what a keyboard on X delivers.
constexpr std::array namedKeys{
    NamedKey{"Home", Qt::Key_Home, ""},
    NamedKey{"End", Qt::Key_End, ""},
    NamedKey{"Enter", Qt::Key_Return, "\r"},
    NamedKey{"Esc", Qt::Key_Escape, "\x1b"},
    NamedKey{"Escape", Qt::Key_Escape, "\x1b"},
    NamedKey{"Tab", Qt::Key_Tab, "\t"},
    NamedKey{"Backspace", Qt::Key_Backspace, "\b"},
    NamedKey{"BS", Qt::Key_Backspace, "\b"},
    NamedKey{"BkSp", Qt::Key_Backspace, "\b"},
    NamedKey{"Delete", Qt::Key_Delete, "\x7f"},
    NamedKey{"Del", Qt::Key_Delete, "\x7f"},
    NamedKey{"Insert", Qt::Key_Insert, ""},
    NamedKey{"Ins", Qt::Key_Insert, ""},
    NamedKey{"Left", Qt::Key_Left, ""},
    NamedKey{"Right", Qt::Key_Right, ""},
    NamedKey{"Up", Qt::Key_Up, ""},
    NamedKey{"Down", Qt::Key_Down, ""},
    NamedKey{"PgUp", Qt::Key_PageUp, ""},
    NamedKey{"PgDn", Qt::Key_PageDown, ""},
    NamedKey{"Break", Qt::Key_Pause, ""},
    NamedKey{"CapsLock", Qt::Key_CapsLock, ""},
    NamedKey{"NumLock", Qt::Key_NumLock, ""},
    NamedKey{"ScrollLock", Qt::Key_ScrollLock, ""},
    NamedKey{"PrtSc", Qt::Key_Print, ""},
    NamedKey{"Help", Qt::Key_Help, ""},
};

constexpr int highestFunctionKey = 16;

// Shift with a letter types its capital, as on a keyboard. What Shift makes of other characters
// depends on the keyboard layout, so they stay as written.
QString shifted(const QString& text) {
    const QList<uint> codePoints = text.toUcs4();
    if (codePoints.size() != 1)
        return text;
    // QString::fromUcs4 would drop a U+FEFF as a byte order mark.
    return QStringView(QChar::fromUcs4(QChar::toUpper(char32_t(codePoints.first())))).toString();
}

bool isControlCharacter(char32_t c) {
    return c < 0x20 || c == 0x7f;
}

class KeyNotationParser {
public:
    explicit KeyNotationParser(const QString& keys) : keys_(keys) {}

    QList<KeyStroke> parse() {
        while (at_ < keys_.size()) {
            const QChar c = keys_[at_];
            if (c == u'+' || c == u'^' || c == u'%') {
                holdModifier(c);
            } else if (c == u'(') {
                openGroup();
            } else if (c == u')') {
                closeGroup();
            } else if (c == u'{') {
                readBraces();
            } else if (c == u'}') {
                fail(at_, QStringLiteral("closing brace without an opening one"));
            } else if (c == u'~') {
                press(Qt::Key_Return, QStringLiteral("\r"), 1);
                ++at_;
            } else {
                readCharacter();
            }
        }
        requireNoPendingModifier();
        if (!groups_.isEmpty())
            fail(groups_.last().openedAt, QStringLiteral("unclosed parenthesis"));
        return strokes_;
    }

private:
    struct Group {
        qsizetype openedAt;
        Qt::KeyboardModifiers modifiers;
        qsizetype firstStroke;
    };

    // The values go in with one arg() call: chained calls would read a "%1" inside the key
    // string (Alt+1) as a place for the next value. The message travels as a C string, where a
    // NUL would cut off the position and the reason, so the quote shows it as U+FFFD.
    [[noreturn]] void fail(qsizetype index, const QString& reason) const {
        const QString quoted = QString(keys_).replace(QChar(0), QChar::ReplacementCharacter);
        throw Failure(QStringLiteral("Invalid key string \"%1\" at position %2: %3")
                          .arg(quoted, QString::number(index + 1), reason)
                          .toStdString());
    }

    Qt::KeyboardModifiers groupModifiers() const {
        return groups_.isEmpty() ? Qt::NoModifier : groups_.last().modifiers;
    }

    void holdModifier(QChar c) {
        if (pending_ == Qt::NoModifier)
            pendingAt_ = at_;
        pending_ |= c == u'+'   ? Qt::ShiftModifier
                    : c == u'^' ? Qt::ControlModifier
                                : Qt::AltModifier;
        ++at_;
    }

    void requireNoPendingModifier() const {
        if (pending_ != Qt::NoModifier)
            fail(pendingAt_,
                 QStringLiteral("modifier \"%1\" has no key to apply to").arg(keys_[pendingAt_]));
    }

    void openGroup() {
        groups_.append({at_, groupModifiers() | pending_, strokes_.size()});
        pending_ = Qt::NoModifier;
        ++at_;
    }

    void closeGroup() {
        requireNoPendingModifier();
        if (groups_.isEmpty())
            fail(at_, QStringLiteral("closing parenthesis without an opening one"));
        const Group group = groups_.takeLast();
        if (strokes_.size() == group.firstStroke)
            fail(group.openedAt, QStringLiteral("empty parentheses"));
        ++at_;
    }

    // {Name}, {Name n}, or a single character in braces, which stands for itself; "}" may be
    // that character, so "{}}" is a closing brace.
    void readBraces() {
        const qsizetype open = at_;
        qsizetype i = open + 1;
        if (i >= keys_.size())
            fail(open, QStringLiteral("unclosed brace"));
        const bool braceLiteral = keys_[i] == u'}' && i + 1 < keys_.size() &&
                                  (keys_[i + 1] == u'}' || keys_[i + 1] == u' ');
        if (keys_[i] == u'}' && !braceLiteral)
            fail(open, QStringLiteral("empty braces"));
        const qsizetype nameAt = i;
        i += characterLength(i);
        while (i < keys_.size() && keys_[i] != u'}' && keys_[i] != u' ')
            ++i;
        const QString name = keys_.mid(nameAt, i - nameAt);
        int count = 1;
        if (i < keys_.size() && keys_[i] == u' ')
            count = readRepeatCount(++i, open);
        if (i >= keys_.size())
            fail(open, QStringLiteral("unclosed brace"));
        at_ = i + 1;
        pressNamed(name, nameAt, count);
    }

    // Reads the digits from i up to the closing brace. Stops counting as soon as the value is
    // too large, so a count of any length costs nothing.
    int readRepeatCount(qsizetype& i, qsizetype open) const {
        const qsizetype countAt = i;
        int count = 0;
        while (i < keys_.size() && keys_[i] != u'}') {
            if (keys_[i] < u'0' || keys_[i] > u'9')
                fail(countAt, QStringLiteral("repeat count is not a number"));
            count = count * 10 + (keys_[i].unicode() - u'0');
            if (count > maxKeyRepeat)
                fail(countAt, QStringLiteral("repeat count above %1").arg(maxKeyRepeat));
            ++i;
        }
        if (i >= keys_.size())
            fail(open, QStringLiteral("unclosed brace"));
        if (i == countAt)
            fail(countAt, QStringLiteral("repeat count missing"));
        if (count == 0)
            fail(countAt, QStringLiteral("repeat count of zero"));
        return count;
    }

    void pressNamed(const QString& name, qsizetype nameAt, int count) {
        const char32_t first = name.toUcs4().value(0);
        if (name.size() == characterLength(nameAt)) {
            pressCharacter(first, name, nameAt, count);
            return;
        }
        for (const NamedKey& named : namedKeys) {
            if (name.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0) {
                press(named.key, QString::fromLatin1(named.text), count);
                return;
            }
        }
        if (name.size() <= 3 && name[0].toUpper() == u'F') {
            bool isNumber = false;
            const int number = name.mid(1).toInt(&isNumber);
            if (isNumber && name[1].isDigit() && number >= 1 && number <= highestFunctionKey) {
                press(Qt::Key(Qt::Key_F1 + number - 1), QString(), count);
                return;
            }
        }
        fail(nameAt, QStringLiteral("unknown key name \"%1\"").arg(name));
    }

    // A character outside the basic plane takes two code units; a lone surrogate one.
    qsizetype characterLength(qsizetype i) const {
        return keys_[i].isHighSurrogate() && i + 1 < keys_.size() && keys_[i + 1].isLowSurrogate()
                   ? 2
                   : 1;
    }

    void readCharacter() {
        const qsizetype length = characterLength(at_);
        const QString text = keys_.mid(at_, length);
        pressCharacter(text.toUcs4().value(0), text, at_, 1);
        at_ += length;
    }

    void pressCharacter(char32_t c, const QString& text, qsizetype index, int count) {
        if (c == u'\t') {
            press(Qt::Key_Tab, text, count);
            return;
        }
        if (isControlCharacter(c))
            fail(index, QStringLiteral("control character U+%1 cannot be typed; use a key name")
                            .arg(QString::number(uint(c), 16).toUpper().rightJustified(4, u'0')));
        if (text.size() == 1 && text[0].isSurrogate())
            fail(index, QStringLiteral("unpaired surrogate"));
        // Qt names a character key by the upper-case form of the character it types.
        press(Qt::Key(QChar::toUpper(c)), text, count);
    }

    void press(Qt::Key key, const QString& text, int count) {
        const Qt::KeyboardModifiers modifiers = groupModifiers() | pending_;
        const KeyStroke stroke{key, modifiers,
                               modifiers.testFlag(Qt::ShiftModifier) ? shifted(text) : text};
        pending_ = Qt::NoModifier;
        for (int n = 0; n < count; ++n)
            strokes_.append(stroke);
    }

    const QString& keys_;
    qsizetype at_ = 0;
    Qt::KeyboardModifiers pending_;
    qsizetype pendingAt_ = 0;
    QList<Group> groups_;
    QList<KeyStroke> strokes_;
};

} // namespace

QList<KeyStroke> parseKeyNotation(const QString& keys) {
    return KeyNotationParser(keys).parse();
}

} // namespace qor
