#include "progress/progress_forms.h"

#include "progress/progress_icons.h"

namespace orbek::progress_forms {
namespace {

constexpr ColourValue DarkBlue = 0xC00000;  // red 0, green 0, blue 192
constexpr ColourValue DarkGreen = 0x004000; // red 0, green 64, blue 0
constexpr char BarClass[] = "QLBBarraVista.BarraVista";
constexpr char DialClass[] = "QLBGauge.gauge";

Text text_of(const char* ascii) {
    return Text(ascii, ascii + std::char_traits<char>::length(ascii));
}

ControlDesign control(const char* name, ControlKind kind, const char* parent, TwipsRect place) {
    ControlDesign design;
    design.name = name;
    design.kind = kind;
    design.parent = parent;
    design.place = place;
    return design;
}

ControlDesign external(const char* name, const char* class_name, const char* parent,
                       TwipsRect place) {
    ControlDesign design = control(name, ControlKind::External, parent, place);
    design.class_name = text_of(class_name);
    return design;
}

ControlDesign centred_label(const char* name, const char* parent, TwipsRect place) {
    ControlDesign design = control(name, ControlKind::Label, parent, place);
    design.caption = u"Label1";
    design.alignment = TextAlignment::Centre;
    return design;
}

ControlDesign two_bar_label(const char* name, const char* parent, ColourValue colour) {
    ControlDesign design = centred_label(name, parent, {60, 150, 7935, 285});
    design.font = FontDesign{u"MS Sans Serif", 8.25, 700, false};
    design.fore_colour = colour;
    return design;
}

} // namespace

FormDesign single_bar_design() {
    ControlDesign picture =
        control("Picture1", ControlKind::PictureBox, "", {1515, 75, 1680, 1680});
    picture.border = true;
    ControlDesign dial = external(SingleBarDial, DialClass, "Picture1", {0, 0, 1605, 1605});
    dial.properties = {{u"max", Variant(0.0f)}};
    return {.name = "FrmProgressBar",
            .caption = u"Form1",
            .border = BorderStyle::FixedDialog,
            .min_button = false,
            .max_button = false,
            .show_in_taskbar = false,
            .position = StartPosition::Manual, // near the top-left corner
            .client_left = 45,
            .client_top = 330,
            .client_width = 4710,
            .client_height = 2715,
            .font = {},
            .icons = {dial_icon(32)},
            .controls = {
                picture,
                dial,
                control("Frame1", ControlKind::Frame, "", {98, 1800, 4515, 825}),
                centred_label(SingleBarText, "Frame1", {90, 135, 4365, 315}),
                external(SingleBarBar, BarClass, "Frame1", {45, 495, 4425, 225}),
            }};
}

FormDesign two_bar_design() {
    return {.name = "FrmProgShow",
            .caption = u"Form Progress Show 1",
            .border = BorderStyle::FixedSingle,
            .min_button = false,
            .max_button = false,
            .show_in_taskbar = true,
            .position = StartPosition::CentreScreen,
            .client_width = 8100,
            .client_height = 1605,
            .font = {},
            .icons = {two_bars_icon(32), two_bars_icon(16)},
            .controls = {
                // Its top edge lies 30 twips above the client area.
                control("Frame1", ControlKind::Frame, "", {30, -30, 8055, 795}),
                two_bar_label(TwoBarUpperText, "Frame1", DarkBlue),
                external(TwoBarUpperBar, BarClass, "Frame1", {60, 480, 7935, 225}),
                control("Frame2", ControlKind::Frame, "", {30, 780, 8055, 795}),
                two_bar_label(TwoBarLowerText, "Frame2", DarkGreen),
                external(TwoBarLowerBar, BarClass, "Frame2", {60, 480, 7935, 225}),
            }};
}

} // namespace orbek::progress_forms
