#pragma once
// The stored window: every control of Form1 with its stored settings, in
// creation order. A container always comes before what it holds, and the
// order of siblings is their stacking order within their group (see
// ControlKind). The 49 key cells of Panel1 come from the drill's key-cell
// table and are not repeated here.
#include "drill/Colour.h"

#include <optional>
#include <span>
#include <string_view>

namespace ui {

// Surface kinds (Label, Image) are drawn on their container and always lie
// beneath every windowed sibling; every other kind is a window of its own.
enum class ControlKind {
    StaticText, // own background; follows the container without a colour
    Label,      // on the container's surface; opaque
    Panel,      // raised one-pixel bevel; always its own colour
    PushButton, // platform button; takes the focus on a click only
    BitButton,  // close button: glyph left of the caption
    RadioGroup, // framed box, one radio button per item, one column
    Image,      // picture stretched to the box
    RichEdit,   // the word-processor editor
};

enum class TextAlign { Left, Right, Centre };

// AutoSize: a static text becomes its text plus 4 pixels each way, a label
// exactly its text; Left and Top stay. Fixed keeps the stored size.
enum class Sizing { AutoSize, Fixed };

inline constexpr std::string_view kFormName = "Form1";

struct StoredControl {
    std::string_view name;
    ControlKind kind;
    std::string_view container; // kFormName for the window's own children
    int left;
    int top;
    int width;
    int height;
    // UTF-8. A radio group: its caption; its items are in `items`.
    std::string_view caption;
    // No value: the control has no colour of its own and follows its
    // container (panels always have one).
    std::optional<drill::Colour> colour;
    int fontHeight; // 0: the window font
    drill::Colour fontColour;
    TextAlign align;
    Sizing sizing;
    bool visible;
    bool handCursor;
    std::string_view hint; // shown as a tooltip; empty: none
    bool tabStop;
    // Radio group: the items, separated by '\n'. Image: the picture's
    // resource path.
    std::string_view extra = {};
};

std::span<const StoredControl> storedForm();

// The window's own stored settings.
struct StoredWindow {
    std::string_view caption;
    int left;
    int top;
    int width;  // frame included
    int height; // frame included
    drill::Colour colour;
    int fontHeight;
    int extentWidth; // the controls reach up to here in client coordinates
    int extentHeight;
};

inline constexpr StoredWindow kStoredWindow{"Tonpara",     -4, -4,  808, 580,
                                            drill::clTeal, 16, 708, 514};

} // namespace ui
