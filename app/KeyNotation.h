#pragma once

#include <QList>
#include <QString>
#include <Qt>

namespace qor {

// One key pressed and released, with the modifiers held down while it is.
struct KeyStroke {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    // The character the key produces; empty for keys that produce none (Home, End, F1...).
    QString text;

    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// A single {Name n} may repeat its key at most this often: a larger count is a mistake in the
// string, not a wish to queue millions of key events.
inline constexpr int maxKeyRepeat = 1000;

// Reads the key notation: {Name} names a key, {Name n} repeats it n times; "+" holds Shift,
// "^" Ctrl and "%" Alt for the key or the "(...)" group that follows; "~" is Enter; the special
// characters are written literally in braces ({+}, {(}, {{}, {}}); every other character types
// itself. Throws Failure naming the 1-based position of the first fault.
QList<KeyStroke> parseKeyNotation(const QString& keys);

} // namespace qor
