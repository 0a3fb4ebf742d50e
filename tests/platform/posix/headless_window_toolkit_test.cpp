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
    design.caption = u"Designed";
    ControlDesign label;
    label.name = "Label1";
    label.kind = ControlKind::Label;
    label.caption = u"Label1";
    ControlDesign frame;
    frame.name = "Frame1";
    frame.kind = ControlKind::Frame;
    ControlDesign bar;
    bar.name = "Bar1";
    bar.kind = ControlKind::External;
    bar.class_name = u"Some.Bar";
    design.controls = {label, frame, bar};
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

TEST(HeadlessWindows, KeepsTheFormsStateAndResetsItToTheDesignOnLoad) {
    HeadlessWindowToolkit toolkit;
    std::unique_ptr<Form> form = toolkit.create_form(small_design());
    form->load();
    const HeadlessFormState* state = toolkit.form("FrmSmall");
    ASSERT_NE(state, nullptr);
    const std::int32_t first_handle = form->window_handle();
    EXPECT_EQ(state->handle, first_handle);
    EXPECT_EQ(state->caption, u"Designed");
    EXPECT_EQ(state->texts.at("Label1"), u"Label1");
    EXPECT_EQ(state->texts.count("Frame1"), 0u);

    form->set_caption(u"Changed");
    form->set_control_text("Label1", u"Text");
    form->set_height_twips(2085);
    form->put_control_property("Bar1", 3, Variant(2.5));
    form->show_modeless();
    form->load(); // already loaded: nothing happens
    EXPECT_TRUE(form->visible());
    EXPECT_EQ(state->caption, u"Changed");
    EXPECT_EQ(state->texts.at("Label1"), u"Text");
    EXPECT_EQ(state->height_twips, 2085);
    EXPECT_EQ(state->properties.at({"Bar1", 3}), Variant(2.5));

    form->hide();
    EXPECT_FALSE(form->visible());
    form->unload();
    EXPECT_FALSE(state->loaded);
    form->unload(); // not loaded: nothing happens
    form->load();
    EXPECT_TRUE(state->loaded);
    EXPECT_FALSE(state->visible);
    EXPECT_EQ(state->caption, u"Designed");
    EXPECT_EQ(state->texts.at("Label1"), u"Label1");
    EXPECT_FALSE(state->height_twips.has_value());
    EXPECT_TRUE(state->properties.empty());
    EXPECT_NE(form->window_handle(), first_handle);
    EXPECT_EQ(toolkit.form_name_of(form->window_handle()), "FrmSmall");
    EXPECT_EQ(toolkit.form_name_of(first_handle), "");

    const Lines lines = toolkit.take_operations();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Load FrmSmall"), 2);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Unload FrmSmall"), 1);
    EXPECT_TRUE(toolkit.take_operations().empty());

    form.reset();
    EXPECT_EQ(toolkit.form("FrmSmall"), nullptr);
}

TEST(HeadlessWindows, ControlsAreReachedOnlyByTheirDesignNameAndKind) {
    struct Case {
        std::function<void(Form&)> operation;
    };
    const Case cases[] = {
        {[](Form& f) { f.set_control_text("Label2", u"x"); }},
        {[](Form& f) { f.set_control_text("label1", u"x"); }},
        {[](Form& f) { f.set_control_text("Bar1", u"x"); }},
        {[](Form& f) { f.put_control_property("Label1", 1, Variant()); }},
        {[](Form& f) { f.put_control_property("Frame1", 1, Variant()); }},
        {[](Form& f) { f.put_control_property("", 1, Variant()); }},
    };
    for (const Case& c : cases) {
        HeadlessWindowToolkit toolkit;
        std::unique_ptr<Form> form = toolkit.create_form(small_design());
        EXPECT_EQ(error_number([&] { c.operation(*form); }), vb::MemberNotFound);
        EXPECT_TRUE(toolkit.operations().empty());
    }
}

TEST(HeadlessWindows, EventsAndOtherPartiesLinesStandInOrder) {
    HeadlessWindowToolkit toolkit;
    toolkit.process_pending_events();
    toolkit.record("CloseEffect");
    toolkit.process_pending_events();
    EXPECT_EQ(toolkit.operations(), (Lines{"DoEvents", "CloseEffect", "DoEvents"}));
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
