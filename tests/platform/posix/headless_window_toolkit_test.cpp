#include "automation/vb_error.h"
#include "platform/posix/headless_window_toolkit.h"
#include "support/error_number.h"

#include <functional>
#include <gtest/gtest.h>

namespace orbek {
namespace {

using testing::error_number;
using Lines = std::vector<std::string>;

FormDesign small_design() {
    FormDesign design;
    design.name = "FrmSmall";
    for (const auto& [name, kind] : {std::pair{"Label1", ControlKind::Label},
                                     {"Frame1", ControlKind::Frame},
                                     {"Bar1", ControlKind::External}}) {
        ControlDesign control;
        control.name = name;
        control.kind = kind;
        design.controls.push_back(control);
    }
    return design;
}

TEST(HeadlessWindows, EveryOperationOnAnUnloadedFormLoadsItFirst) {
    struct Case {
        const char* name;
        std::function<void(Form&)> operation;
        Lines lines;
    };
    const Case cases[] = {
        {"show", [](Form& f) { f.show_modeless(); }, {"Load FrmSmall", "FrmSmall.Show"}},
        {"hide", [](Form& f) { f.hide(); }, {"Load FrmSmall", "FrmSmall.Hide"}},
        {"visible", [](Form& f) { f.visible(); }, {"Load FrmSmall", "FrmSmall.Visible -> False"}},
        {"height",
         [](Form& f) { f.set_height_twips(-30); },
         {"Load FrmSmall", "FrmSmall.Height = -30"}},
        {"caption",
         [](Form& f) { f.set_caption(u"Año \"1\""); },
         {"Load FrmSmall", "FrmSmall.Caption = \"Año \"1\"\""}},
        {"text",
         [](Form& f) { f.set_control_text("Label1", u""); },
         {"Load FrmSmall", "FrmSmall.Label1.Caption = \"\""}},
        {"property",
         [](Form& f) { f.put_control_property("Bar1", 0x68030002, Variant(std::int32_t{7})); },
         {"Load FrmSmall", "FrmSmall.Bar1.[0x68030002] = Long 7"}},
        {"handle", [](Form& f) { f.window_handle(); }, {"Load FrmSmall"}},
        {"load", [](Form& f) { f.load(); }, {"Load FrmSmall"}},
        {"unload", [](Form& f) { f.unload(); }, {}},
    };
    for (const Case& c : cases) {
        HeadlessWindowToolkit toolkit;
        std::unique_ptr<Form> form = toolkit.create_form(small_design());
        EXPECT_FALSE(form->is_loaded());
        c.operation(*form);
        EXPECT_EQ(toolkit.take_operations(), c.lines) << c.name;
        EXPECT_EQ(form->is_loaded(), !c.lines.empty()) << c.name;
    }
}

TEST(HeadlessWindows, KnowsWhetherEachFormIsShownAndGivesEveryLoadANewHandle) {
    HeadlessWindowToolkit toolkit;
    std::unique_ptr<Form> form = toolkit.create_form(small_design());
    form->show_modeless();
    form->load(); // already loaded: nothing happens
    const std::int32_t first_handle = form->window_handle();
    const HeadlessFormState* state = toolkit.form("FrmSmall");
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->handle, first_handle);
    EXPECT_TRUE(form->visible());
    form->hide();
    EXPECT_FALSE(form->visible());
    form->show_modeless();
    form->unload();
    form->unload(); // not loaded: nothing happens
    EXPECT_FALSE(state->loaded);
    EXPECT_FALSE(form->visible()); // loaded afresh, hidden
    EXPECT_NE(form->window_handle(), first_handle);
    EXPECT_EQ(toolkit.form_name_of(form->window_handle()), "FrmSmall");
    EXPECT_EQ(toolkit.form_name_of(first_handle), "");
    EXPECT_EQ(toolkit.take_operations(),
              (Lines{"Load FrmSmall", "FrmSmall.Show", "FrmSmall.Visible -> True", "FrmSmall.Hide",
                     "FrmSmall.Visible -> False", "FrmSmall.Show", "Unload FrmSmall",
                     "Load FrmSmall", "FrmSmall.Visible -> False"}));
    EXPECT_TRUE(toolkit.take_operations().empty());
    form.reset();
    EXPECT_EQ(toolkit.form("FrmSmall"), nullptr);
}

TEST(HeadlessWindows, ControlsAreReachedOnlyByTheirDesignNameAndKind) {
    struct Case {
        std::function<void(Form&)> operation;
    };
    const Case cases[] = {
        {[](Form& f) { f.set_control_text("label1", u"x"); }},
        {[](Form& f) { f.set_control_text("Bar1", u"x"); }},
        {[](Form& f) { f.put_control_property("Label1", 1, Variant()); }},
        {[](Form& f) { f.put_control_property("Frame9", 1, Variant()); }},
    };
    for (const Case& c : cases) {
        HeadlessWindowToolkit toolkit;
        std::unique_ptr<Form> form = toolkit.create_form(small_design());
        EXPECT_EQ(error_number([&] { c.operation(*form); }), vb::MemberNotFound);
        EXPECT_TRUE(toolkit.operations().empty());
    }
}

TEST(HeadlessWindows, DescribesValuesWithTheirType) {
    struct Case {
        Variant value;
        const char* text;
    };
    const Case cases[] = {
        {Variant(), "Empty"},
        {Variant::null(), "Null"},
        {Variant(std::int16_t{100}), "Integer 100"},
        {Variant(std::int32_t{-5}), "Long -5"},
        {Variant(0.0f), "Single 0"},
        {Variant(2.5), "Double 2.5"},
        {Variant(Currency::from_scaled(505000)), "Currency 50.5"},
        {Variant(Currency::from_scaled(999999)), "Currency 99.9999"},
        {Variant(u"Fin"), "String \"Fin\""},
        {Variant(true), "Boolean True"},
        {Variant::date(45000), "Date 15/03/2023"},
        {Variant(std::uint8_t{7}), "Byte 7"},
        {Variant::missing(), "Error"},
        {Variant(Variant::ObjectRef()), "Object"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(describe_value(c.value), c.text);
    }
}

} // namespace
} // namespace orbek
