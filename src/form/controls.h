#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace form {

// The calculator's controls as designed, one row each, for the window and the
// web page alike: name, container, design text, geometry in twips (15 to a
// logical pixel; a control in a frame is placed relative to the frame), tab
// place and look.

enum class ControlKind { Frame, Label, Link, ComboBox, Field, List, Button };
enum class ControlStyle { Plain, RightAligned, AutoSize, Bold, Link, Wrap, SmallList };

inline constexpr int kNoTab = -1;

struct Control {
    std::string name;       // "txtParam(0)" for array elements
    std::string container;  // empty: the window itself
    std::string text;       // as designed; "&" marks the access key
    int left = 0, top = 0, width = 0, height = 0;
    int tab = kNoTab;
    ControlKind kind = ControlKind::Label;
    ControlStyle style = ControlStyle::Plain;
};

// The window's inside, in twips: 460 x 474 logical pixels.
inline constexpr int kFormWidthTwips = 6900;
inline constexpr int kFormHeightTwips = 7110;

// Every control, frames before what they hold; the Exit button included
// (a web page leaves it out: a browser tab is closed by the browser).
std::vector<Control> Controls();

// Captions that name the control beside them ("buddies"): a screen reader
// reads the caption, without its colon, as that control's name.
struct Buddy {
    std::string label;
    std::string control;
};
std::vector<Buddy> Buddies();

// Twips to logical pixels, to the nearest.
int TwipsToPixels(int twips);

// The name of a parameter slot's control: "txtParam(2)".
std::string SlotName(std::string_view control, int slot);

// The name as an identifier without brackets: "txtParam(0)" gives "txtParam0".
std::string PlainName(const std::string& name);

}  // namespace form
