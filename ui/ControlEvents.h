#pragma once

#include "ui/Events.h"
#include "ui/WindowDescription.h"

namespace qor {

// The events a control of each kind raises, as the live window wires them: buttons and lists are
// clicked, a text box changes, the other kinds raise nothing of their own. A new kind cannot be
// added without saying what it raises: the compiler wants every kind in the switch.
constexpr bool kindRaises(ControlKind kind, Event event) {
    switch (kind) {
    case ControlKind::Button:
    case ControlKind::ComboBox:
        return event == Event::Click;
    case ControlKind::TextBox:
        return event == Event::Change;
    case ControlKind::Label:
    case ControlKind::Frame:
    case ControlKind::PictureBox:
    case ControlKind::Shape:
    case ControlKind::Line:
        return false;
    }
    return false;
}

// The window itself raises the events that no control raises: loading and unloading, and the
// pointer and the keys, which reach the window through its shapes and, with key preview, first.
constexpr bool windowRaises(Event event) {
    switch (event) {
    case Event::Load:
    case Event::Unload:
    case Event::KeyPress:
    case Event::MouseMove:
    case Event::MouseDown:
        return true;
    case Event::Click:
    case Event::Change:
        return false;
    }
    return false;
}

} // namespace qor
