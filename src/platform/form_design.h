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
    Manual,       // at the designed client origin
    CentreScreen, // centred on the screen
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
    Label,      // a line of text
    Frame,      // a frame that holds other controls
    PictureBox, // a plain container with an optional border
    External,   // a control of a separate control library, named by its class
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
    std::optional<ColourValue> fore_colour;
    TextAlignment alignment = TextAlignment::Left;
    bool border = false;
    Text class_name; // External only, such as "QLBBarraVista.BarraVista"
    std::vector<StoredProperty> properties;
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
    std::vector<IconImage> icons;        // each size once; the toolkit picks the fitting one
    std::vector<ControlDesign> controls; // containers before what they contain
};

} // namespace orbek
