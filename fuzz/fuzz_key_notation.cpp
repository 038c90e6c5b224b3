#include "app/KeyNotation.h"
#include "base/Failure.h"
#include "fuzz/FuzzCheck.h"

#include <cstdint>

using qor::fuzz::require;

namespace {

const QString specialCharacters = QStringLiteral("+^%(){}~");

bool isPlain(const QString& keys) {
    for (const QChar c : keys) {
        if (specialCharacters.contains(c))
            return false;
    }
    return true;
}

// A malformed string is expected and fails with a message that quotes the string as given and
// names a position inside it.
void checkFailure(const QString& keys, const qor::Failure& failure) {
    // The message travels as a UTF-8 C string, so the quote shows a NUL as U+FFFD and UTF-8
    // turns unpaired surrogates into replacement characters: the expected text goes the same way.
    const QString message = failure.text();
    const QString quoted = QString(keys).replace(QChar(0), QChar::ReplacementCharacter);
    const QString lead = QString::fromUtf8(
        QStringLiteral("Invalid key string \"%1\" at position ").arg(quoted).toUtf8());
    require(message.startsWith(lead), "the failure message quotes the key string unchanged");
    const qsizetype colon = message.indexOf(u':', lead.size());
    require(colon > lead.size(), "the position is followed by the reason");
    bool isNumber = false;
    const qsizetype position = message.mid(lead.size(), colon - lead.size()).toLongLong(&isNumber);
    require(isNumber && position >= 1 && position <= keys.size(),
            "the failure names a position inside the string");
    require(message.size() > colon + 2, "the failure gives a reason");
}

void checkStrokes(const QString& keys, const QList<qor::KeyStroke>& strokes) {
    const Qt::KeyboardModifiers held = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    for (const qor::KeyStroke& stroke : strokes) {
        require((stroke.modifiers & ~held) == Qt::NoModifier, "only Shift, Ctrl and Alt are held");
        require(stroke.key != Qt::Key_unknown, "every stroke names a key");
    }
    require(strokes.size() <= keys.size() * qor::maxKeyRepeat,
            "no character repeats a key more often than the cap");

    if (!isPlain(keys))
        return;
    // Without special characters every character types itself, once, written bare or in braces.
    QString typed;
    for (const qor::KeyStroke& stroke : strokes) {
        require(stroke.modifiers == Qt::NoModifier, "plain characters hold no modifier");
        typed += stroke.text;
    }
    require(typed == keys, "plain characters type themselves");
    QString braced;
    for (qsizetype i = 0; i < keys.size();) {
        const qsizetype length =
            keys[i].isHighSurrogate() && i + 1 < keys.size() && keys[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        braced += u'{' + keys.mid(i, length) + u'}';
        i += length;
    }
    require(qor::parseKeyNotation(braced) == strokes, "a character in braces types itself");
}

void parse(const QString& keys) {
    QList<qor::KeyStroke> strokes;
    try {
        strokes = qor::parseKeyNotation(keys);
    } catch (const qor::Failure& failure) {
        checkFailure(keys, failure);
        return;
    }
    checkStrokes(keys, strokes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    parse(qor::fuzz::utf8Text(data, size));
    parse(qor::fuzz::utf16Units(data, size));
    return 0;
}
