#pragma once

#include "ui/OleColor.h"
#include "ui/Twips.h"

#include <QChar>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace qor {

enum class ControlKind { Button, Label, TextBox, ComboBox, Frame, PictureBox, Shape, Line };
enum class BorderStyle { None = 0, Sizable = 2, FixedDialog = 3 };
enum class StartUpPosition { CenterScreen = 2, WindowsDefault = 3 };
enum class ShapeKind { Rectangle = 0, Circle = 3, RoundedSquare = 5 };
enum class ButtonStyle { Standard = 0, Graphical = 1 };

struct Box {
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
};

struct LineEnds {
    Twips x1 = 0;
    Twips y1 = 0;
    Twips x2 = 0;
    Twips y2 = 0;
};

// One control of a window as its table row gives it. Fields a kind does not use stay at their
// defaults; a frame's children are positioned relative to the frame.
struct ControlDescription {
    QString name = {};
    ControlKind kind = ControlKind::Button;
    std::optional<std::int16_t> index = {}; // member of a control array
    QString caption = {};                   // caption, or a text box's initial text
    Box box = {};
    LineEnds ends = {}; // lines only, in the window's client coordinates
    std::optional<std::int16_t> tabIndex = {};
    std::optional<OleColor> backColor = {};
    std::optional<OleColor> foreColor = {};
    ButtonStyle style = ButtonStyle::Standard;
    bool isDefault = false;
    bool isCancel = false;
    std::optional<QChar> passwordChar = {};
    bool enabled = true;
    ShapeKind shape = ShapeKind::Rectangle;
    QString picture = {};     // resource path of a picture box's bitmap
    QString pictureText = {}; // what the picture shows, for assistive technology
    // The label that names a text box or list for assistive technology, where that label does not
    // come just before it in tab order.
    QString labelledBy = {};
    std::vector<ControlDescription> children = {};
};

struct WindowDescription {
    QString name = {};
    QString caption = {};
    Twips clientWidth = 0;
    Twips clientHeight = 0;
    OleColor backColor = colors::highlight;
    OleColor foreColor = colors::buttonText;
    BorderStyle borderStyle = BorderStyle::Sizable;
    StartUpPosition startUpPosition = StartUpPosition::WindowsDefault;
    bool keyPreview = false;
    std::vector<ControlDescription> controls = {};
};

// The name under which a control is found: an array member carries its index.
QString controlKey(const QString& name, std::optional<std::int16_t> index);

} // namespace qor
