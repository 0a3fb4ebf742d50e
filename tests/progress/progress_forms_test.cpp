#include "progress/progress_forms.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace orbek {
namespace {

// A window is built control by control from its design, so each control's container must
// stand before it and be a container; names are unique. A window loaded afresh shows its
// labels' design caption.
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
            EXPECT_EQ(control.caption, control.kind == ControlKind::Label ? u"Label1" : u"")
                << design.name << " " << control.name;
        }
    }
}

} // namespace
} // namespace orbek
