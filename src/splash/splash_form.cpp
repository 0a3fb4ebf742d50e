#include "splash/splash_form.h"

#include "usagelog/maker.h"

#include <string>

namespace orbek::splash_form {
namespace {

constexpr ColourValue rgb(int red, int green, int blue) {
    return red + 256 * green + 65536 * blue;
}

// The artwork's own night blue, round the picture and under the maker's lines.
constexpr ColourValue Night = rgb(31, 29, 62);
constexpr std::int32_t MakerLineTops[] = {3900, 4170, 4395, 4635, 4860};

ControlDesign control(const char* name, ControlKind kind, const char* parent, TwipsRect place) {
    ControlDesign design;
    design.name = name;
    design.kind = kind;
    design.parent = parent;
    design.place = place;
    return design;
}

// Labels over the artwork let it show round their text.
ControlDesign label(const char* name, TwipsRect place, ColourValue colour,
                    TextAlignment alignment = TextAlignment::Centre) {
    ControlDesign design = control(name, ControlKind::Label, Artwork, place);
    design.fore_colour = colour;
    design.alignment = alignment;
    design.transparent = true;
    return design;
}

ControlDesign button(const char* name, const char16_t* caption, int icon, TwipsRect place) {
    ControlDesign design = control(name, ControlKind::CommandButton, Artwork, place);
    design.caption = caption;
    design.picture = icon;
    return design;
}

} // namespace

FormDesign splash_design() {
    ControlDesign background =
        control(Background, ControlKind::PictureBox, "", {0, 0, 11535, 6285});
    background.keeps_drawing = true;
    ControlDesign artwork =
        control(Artwork, ControlKind::PictureBox, Background, {180, 210, 10995, 5715});
    artwork.picture = ArtworkPicture;
    artwork.back_colour = Night;

    ControlDesign product = label(ProductLabel, {3510, 630, 7305, 600}, rgb(255, 255, 255));
    product.font = FontDesign{u"Arial", 21.75, 700, true};
    ControlDesign version = label(VersionLabel, {3510, 1200, 7305, 330}, rgb(255, 226, 160));
    version.font = FontDesign{u"Arial", 14.25, 700, false};
    ControlDesign company = label(CompanyLabel, {6645, 3300, 1200, 345}, rgb(236, 190, 88));
    company.font = FontDesign{u"NewBrunswick", 14.25, 800, true};
    company.font_fallback = u"Times New Roman";
    company.auto_size = true;

    FormDesign design{.name = Name,
                      .caption = u"Form1",
                      .border = BorderStyle::None,
                      .min_button = false,
                      .max_button = false,
                      .show_in_taskbar = false,
                      .position = StartPosition::CentreScreenWhenShown,
                      .client_width = 11535,
                      .client_height = 6285,
                      .font = {},
                      .activate_when_shown = true,
                      .icons = {},
                      .controls = {
                          control(Timer, ControlKind::Timer, "", {}),
                          background,
                          artwork,
                          product,
                          version,
                          label(CopyrightLabel, {7980, 2130, 2895, 510}, rgb(220, 220, 235)),
                          company,
                          button(SystemButton, u"Info &Sys", SystemIcon, {9660, 3810, 1005, 855}),
                          button(CloseButton, u"&OK", CloseIcon, {9660, 4710, 1005, 855}),
                      }};
    // The maker as the usage log's banner states it, the two e-mails on one line.
    const Text maker_lines[] = {
        Text(maker::CompanyName),
        Text(maker::StreetAndTelephone),
        Text(maker::DistrictCityPostcode),
        Text(maker::HomePage),
        Text(maker::SalesEmail) + u"   " + Text(maker::SupportEmail),
    };
    for (std::size_t line = 0; line < std::size(maker_lines); ++line) {
        const std::string name = "Label" + std::to_string(line + 3);
        ControlDesign maker_line = label(name.c_str(), {360, MakerLineTops[line], 8700, 195},
                                         rgb(200, 205, 225), TextAlignment::Left);
        maker_line.caption = maker_lines[line];
        design.controls.push_back(maker_line);
    }
    return design;
}

} // namespace orbek::splash_form
