#pragma once

#include <QString>
#include <cstdint>

namespace qor {

enum class Event { Click, Change, Load, Unload, KeyPress, MouseMove, MouseDown };

// The arguments an event carries; each handler reads only those of its event. Pointer
// positions are in twips from the client area's top-left corner.
struct EventArgs {
    std::int16_t button = 0;
    std::int16_t shift = 0;
    float x = 0;
    float y = 0;
    std::int16_t keyAscii = 0;
    std::int16_t cancel = 0;
};

// The source name under which an event of the window itself is bound, as in Form_Load.
inline const QString formSource = QStringLiteral("Form");

class LiveWindow;

// Where a live window sends what happens to it.
class EventSink {
public:
    virtual ~EventSink() = default;
    virtual void raise(LiveWindow& window, const QString& source, Event event, EventArgs& args) = 0;
    // The platform's close command: close box, window menu, Alt+F4.
    virtual void closeRequested(LiveWindow& window) = 0;
};

} // namespace qor
