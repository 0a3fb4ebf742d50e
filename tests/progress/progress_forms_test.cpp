#include "progress/progress_forms.h"
#include "progress/progress_icons.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace orbek {
namespace {

// A window is built control by control from its design, so each control's container must
// stand before it and be a container; names are unique.
TEST(ProgressForms, ContainersComeBeforeWhatTheyHold) {
    for (const FormDesign& design :
         {progress_forms::single_bar_design(), progress_forms::two_bar_design()}) {
        std::set<std::string> containers;
        std::set<std::string> names;
        for (const ControlDesign& control : design.controls) {
            EXPECT_TRUE(names.insert(control.name).second) << design.name << " " << control.name;
            if (!control.parent.empty()) {
                EXPECT_TRUE(containers.count(control.parent))
                    << design.name << " " << control.name << " in " << control.parent;
            }
            if (control.kind == ControlKind::Frame || control.kind == ControlKind::PictureBox) {
                containers.insert(control.name);
            }
            EXPECT_EQ(control.kind == ControlKind::External, !control.class_name.empty())
                << design.name << " " << control.name;
        }
    }
}

TEST(ProgressIcons, AreSquaresOfTheSixteenColoursWithTransparentCorners) {
    struct Case {
        IconImage icon;
        int size;
    };
    const Case cases[] = {
        {dial_icon(32), 32},
        {dial_icon(16), 16},
        {two_bars_icon(32), 32},
        {two_bars_icon(16), 16},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.icon.size, c.size);
        ASSERT_EQ(c.icon.pixels.size(), static_cast<std::size_t>(c.size * c.size));
        std::set<std::uint8_t> colours;
        for (std::uint8_t pixel : c.icon.pixels) {
            EXPECT_TRUE(pixel < 16 || pixel == IconImage::Transparent);
            colours.insert(pixel);
        }
        EXPECT_EQ(c.icon.pixels.front(), IconImage::Transparent);
        EXPECT_EQ(c.icon.pixels.back(), IconImage::Transparent);
        EXPECT_GE(colours.size(), 5u) << "a picture, not a blot";
        const std::size_t centre = static_cast<std::size_t>(c.size / 2 * c.size + c.size / 2);
        EXPECT_NE(c.icon.pixels[centre], IconImage::Transparent);
    }
}

} // namespace
} // namespace orbek
