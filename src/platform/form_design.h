// A window as its designer laid it out: frame, placement, client size, caption, icons and
// its controls, every length in twips (1/1440 inch). The window toolkit builds a window from
// it on every load, so unloading and loading again gives the designed window back.
#pragma once

#include "automation/text.h"
#include "automation/variant.h"
#include "platform/surfaces.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orbek {

enum class BorderStyle {
    None,        // no frame and no title bar
    FixedSingle, // thin frame with a title bar, not resizable
    Sizable,     // resizable frame with a title bar
    FixedDialog, // dialog frame with a title bar, not resizable
};

enum class StartPosition {
    Manual,                // at the designed client origin
    CentreScreen,          // centred on the screen when it loads, at its designed size
    CentreScreenWhenShown, // centred on the screen when first shown, at its size then
};

enum class TextAlignment { Left, Right, Centre };

struct TwipsRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

struct FontDesign {
    Text name = u"MS Sans Serif";
    double points = 8.25;
    int weight = 400; // 400 normal, 700 bold
    bool italic = false;
    friend bool operator==(const FontDesign&, const FontDesign&) = default;
};

// A square icon of the 16 colours of the standard palette, one palette index a pixel, row
// by row from the top; Transparent lets the desktop show through.
struct IconImage {
    static constexpr std::uint8_t Transparent = 0xFF;
    int size = 0;
    std::vector<std::uint8_t> pixels;
};

enum class ControlKind {
    Label,         // a line of text
    Frame,         // a frame that holds other controls
    PictureBox,    // a container with an optional border, picture and drawing of its own
    External,      // a control of a separate control library, named by its class
    CommandButton, // a push button; an "&" in its caption marks its access key
    Timer,         // no window: ticks while enabled with an interval above 0
};

// A design-time property of an external control, put by name when the window loads.
struct StoredProperty {
    Text name;
    Variant value;
};

struct ControlDesign {
    std::string name;
    ControlKind kind = ControlKind::Label;
    std::string parent; // empty: the window itself; else an earlier container control
    TwipsRect place;    // relative to the parent's inner area
    Text caption;
    std::optional<FontDesign> font; // the window's font when not given
    Text font_fallback; // the face used when the font's own is not installed; empty: the
                        // system's choice
    std::optional<ColourValue> fore_colour;
    TextAlignment alignment = TextAlignment::Left;
    bool border = false;
    Text class_name; // External only, such as "QLBBarraVista.BarraVista"
    std::vector<StoredProperty> properties;
    // A picture of the component's resources, by number: a picture box's bitmap drawn at its
    // top-left corner, a button's 32 x 32 icon.
    std::optional<int> picture;
    std::optional<ColourValue> back_colour; // the system's button face when not given
    bool transparent = false;               // a label: what lies beneath shows round its text
    bool auto_size = false;     // a label: one line, as wide as its text, its left edge kept
    bool keeps_drawing = false; // a picture box: keeps an image of what is drawn into it
};

struct FormDesign {
    std::string name;
    Text caption;
    BorderStyle border = BorderStyle::Sizable;
    bool min_button = true;
    bool max_button = true;
    bool show_in_taskbar = true;
    StartPosition position = StartPosition::Manual;
    std::int32_t client_left = 0; // where the client area lies on the screen (Manual)
    std::int32_t client_top = 0;
    std::int32_t client_width = 0;
    std::int32_t client_height = 0;
    FontDesign font;
    // Shown windows take the keyboard (a window with a default button); else the host's
    // window keeps it.
    bool activate_when_shown = false;
    std::vector<IconImage> icons;        // each size once; the toolkit picks the fitting one
    std::vector<ControlDesign> controls; // containers before what they contain
};

// The access key an "&" marks in a caption, in capitals ("Info &Sys" gives S); "&&" stands
// for an ampersand itself. Nothing when the caption marks none.
inline std::optional<char16_t> access_key_of(TextView caption) {
    for (std::size_t at = 0; at + 1 < caption.size(); ++at) {
        if (caption[at] != u'&') {
            continue;
        }
        if (caption[at + 1] != u'&') {
            return to_upper(caption.substr(at + 1, 1))[0];
        }
        ++at; // "&&": the second ampersand is the character itself
    }
    return std::nullopt;
}

} // namespace orbek
