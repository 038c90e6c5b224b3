#include "ui/CharacterKeys.h"

#include <QList>

namespace qor {

namespace {

constexpr std::int16_t enterCode = 13;
constexpr std::int16_t escCode = 27;
constexpr std::int16_t backspaceCode = 8;

bool isLetterKey(int key) {
    return key >= Qt::Key_A && key <= Qt::Key_Z;
}

} // namespace

std::optional<std::int16_t> characterOfKey(int key, Qt::KeyboardModifiers modifiers,
                                           const QString& text) {
    const Qt::KeyboardModifiers held = modifiers & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (held & (Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    if (held & Qt::ControlModifier) {
        if (isLetterKey(key))
            return std::int16_t(key - Qt::Key_A + 1);
        return std::nullopt;
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return enterCode;
    case Qt::Key_Escape:
        return escCode;
    case Qt::Key_Backspace:
        return backspaceCode;
    default:
        break;
    }
    // Every other key counts by its text: a printable character does, a control character
    // (Delete's "\x7f", Tab's "\t") or no text at all (arrows, function and modifier keys) does
    // not.
    const QList<uint> points = text.toUcs4();
    if (points.isEmpty() || !QChar::isPrint(char32_t(points.front())))
        return std::nullopt;
    return std::int16_t(text.at(0).unicode());
}

} // namespace qor
