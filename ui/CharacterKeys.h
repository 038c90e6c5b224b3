#pragma once

#include <QString>
#include <Qt>
#include <cstdint>
#include <optional>

namespace qor {

// The character a key press produces, as key preview hands it to a handler, or nothing for a key
// that produces none. Printable characters, Enter (13), Esc (27), Backspace (8) and Ctrl with a
// letter (1 to 26) produce one; Delete, Tab, arrows, function, editing and modifier keys, and
// Alt combinations (access keys) do not, whatever text the platform attaches to them: X gives
// Delete the text "\x7f".
std::optional<std::int16_t> characterOfKey(int key, Qt::KeyboardModifiers modifiers,
                                           const QString& text);

} // namespace qor
