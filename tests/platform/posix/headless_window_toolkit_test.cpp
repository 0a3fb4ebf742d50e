#include "automation/vb_error.h"
#include "platform/posix/headless_window_toolkit.h"
#include "support/error_number.h"

#include <functional>
#include <gtest/gtest.h>

namespace orbek {
namespace {

using testing::error_number;
using Lines = std::vector<std::string>;
using Operation = std::function<void(Form&)>;

// One control of each kind the model treats apart; the window is 101 x 61 pixels of 15 twips.
FormDesign design(StartPosition position = StartPosition::Manual) {
    FormDesign design;
    design.name = "Frm";
    design.position = position;
    design.client_width = 1515;
    design.client_height = 915;
    const auto add = [&](const char* name, ControlKind kind, Text caption = {}) {
        ControlDesign& control = design.controls.emplace_back();
        control.name = name;
        control.kind = kind;
        control.caption = std::move(caption);
        return &control;
    };
    add("Label1", ControlKind::Label);
    add("Frame1", ControlKind::Frame);
    add("Bar1", ControlKind::External);
    add("Timer1", ControlKind::Timer);
    ControlDesign* picture = add("Pic", ControlKind::PictureBox);
    picture->place = {15, 30, 60, 45}; // 1, 2, 4 x 3 pixels
    picture->keeps_drawing = true;
    picture->back_colour = 0x0000FF; // red
    add("Plain", ControlKind::PictureBox);
    add("CmdOk", ControlKind::CommandButton, u"&OK");
    add("CmdAnd", ControlKind::CommandButton, u"A && &b");
    return design;
}

struct Counting final : FormEvents {
    void clicked(std::string_view control) override { events.emplace_back(control); }
    void timer_ticked(std::string_view timer) override {
        events.emplace_back(timer);
        throw VbError(vb::Overflow);
    }
    Lines events;
};

TEST(HeadlessWindows, EveryOperationOnAnUnloadedFormLoadsItFirst) {
    // Each operation and the one line it records after the load, if any.
    const std::pair<Operation, const char*> cases[] = {
        {[](Form& f) { f.show_modeless(); }, "Frm.Show"},
        {[](Form& f) { f.hide(); }, "Frm.Hide"},
        {[](Form& f) { f.visible(); }, "Frm.Visible -> False"},
        {[](Form& f) { f.set_height_twips(-30); }, "Frm.Height = -30"},
        {[](Form& f) { f.set_caption(u"Año \"1\""); }, "Frm.Caption = \"Año \"1\"\""},
        {[](Form& f) { f.set_control_text("Label1", u""); }, "Frm.Label1.Caption = \"\""},
        {[](Form& f) { f.put_control_property("Bar1", 0x68030002, Variant(std::int32_t{7})); },
         "Frm.Bar1.[0x68030002] = Long 7"},
        {[](Form& f) { f.make_topmost(); },
         "SetWindowPos Frm.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE Or SWP_NOSIZE"},
        {[](Form& f) { f.set_width_twips(1); }, "Frm.Width = 1"},
        {[](Form& f) {
             f.move_control_pixels("Pic", {1, 2, 3, 4});
         },
         "Frm.Pic.Move 1, 2, 3, 4"},
        {[](Form& f) { f.refresh_control("Pic"); }, "Frm.Pic.Refresh"},
        {[](Form& f) { f.set_default_button("CmdOk"); }, "Frm.CmdOk.Default = True"},
        {[](Form& f) { f.set_timer_enabled("Timer1", true); }, "Frm.Timer1.Enabled = True"},
        {[](Form& f) { f.set_timer_interval("Timer1", 1); }, "Frm.Timer1.Interval = 1"},
        {[](Form& f) { f.copy_screen_to_picture("Pic", 2, 1); },
         "BitBlt Frm.Pic.hDC, 0, 0, 4, 3, GetDC(0), 2, 1, SRCCOPY"},
        {[](Form& f) { f.window_handle(); }, nullptr},
        {[](Form& f) { f.load(); }, nullptr},
        {[](Form& f) { f.left_twips(); }, nullptr},
        {[](Form& f) { f.top_twips(); }, nullptr},
        {[](Form& f) { f.inner_width_pixels(); }, nullptr},
        {[](Form& f) { f.inner_height_pixels(); }, nullptr},
        {[](Form& f) { f.control_rect_pixels("Pic"); }, nullptr},
        {[](Form& f) { f.picture_pixels("Pic"); }, nullptr},
    };
    for (const auto& [operation, line] : cases) {
        HeadlessWindowToolkit toolkit;
        std::unique_ptr<Form> form = toolkit.create_form(design());
        EXPECT_FALSE(form->is_loaded());
        operation(*form);
        EXPECT_EQ(toolkit.take_operations(), (line ? Lines{"Load Frm", line} : Lines{"Load Frm"}));
        EXPECT_TRUE(form->is_loaded());
    }
    HeadlessWindowToolkit toolkit;
    toolkit.create_form(design())->unload();
    EXPECT_TRUE(toolkit.operations().empty());
}

// Controls are reached only by their design name and only by operations for their kind.
TEST(HeadlessWindows, ControlsOfAnotherNameOrKindAreMemberNotFound) {
    const Operation operations[] = {
        [](Form& f) { f.set_control_text("label1", u"x"); },
        [](Form& f) { f.set_control_text("Bar1", u"x"); },
        [](Form& f) { f.put_control_property("Label1", 1, Variant()); },
        [](Form& f) { f.put_control_property("Frame9", 1, Variant()); },
        [](Form& f) { f.control_rect_pixels("Timer1"); },
        [](Form& f) { f.move_control_pixels("Nothing", {}); },
        [](Form& f) { f.refresh_control("Timer1"); },
        [](Form& f) { f.picture_pixels("Plain"); },
        [](Form& f) { f.copy_screen_to_picture("CmdOk", 0, 0); },
        [](Form& f) { f.set_default_button("Pic"); },
        [](Form& f) { f.set_timer_enabled("CmdOk", true); },
        [](Form& f) { f.set_timer_interval("Pic", 1); },
    };
    for (const Operation& operation : operations) {
        HeadlessWindowToolkit toolkit;
        std::unique_ptr<Form> form = toolkit.create_form(design());
        EXPECT_EQ(error_number([&] { operation(*form); }), vb::MemberNotFound);
        EXPECT_TRUE(toolkit.operations().empty());
    }
}

TEST(HeadlessWindows, KnowsWhetherEachFormIsShownAndGivesEveryLoadANewHandle) {
    HeadlessWindowToolkit toolkit;
    std::unique_ptr<Form> form = toolkit.create_form(design());
    form->show_modeless();
    form->load(); // already loaded: nothing happens
    const std::int32_t first_handle = form->window_handle();
    const HeadlessFormState* state = toolkit.form("Frm");
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
    EXPECT_EQ(toolkit.form_name_of(form->window_handle()), "Frm");
    EXPECT_EQ(toolkit.form_name_of(first_handle), "");
    EXPECT_EQ(toolkit.take_operations(), (Lines{"Load Frm", "Frm.Show", "Frm.Visible -> True",
                                                "Frm.Hide", "Frm.Visible -> False", "Frm.Show",
                                                "Unload Frm", "Load Frm", "Frm.Visible -> False"}));
    EXPECT_TRUE(toolkit.take_operations().empty());
    form.reset();
    EXPECT_EQ(toolkit.form("Frm"), nullptr);
}

TEST(HeadlessWindows, DescribesValuesWithTheirType) {
    const std::pair<Variant, const char*> cases[] = {
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
        {Variant(Variant::ObjectRef()), "Object"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(describe_value(value), text);
}

TEST(AccessKeys, TheLetterAfterASingleAmpersandInCapitals) {
    const std::pair<const char16_t*, std::optional<char16_t>> cases[] = {
        {u"&OK", u'O'},        {u"Info &Sys", u'S'},     {u"A && &b", u'B'}, {u"&&x", std::nullopt},
        {u"x&", std::nullopt}, {u"plain", std::nullopt}, {u"&ñ", u'Ñ'},
    };
    for (const auto& [caption, key] : cases)
        EXPECT_EQ(access_key_of(caption), key) << to_utf8(caption);
}

// Timers tick only while enabled with an interval; buttons answer a click, Enter when one is
// the default, and their access key.
TEST(HeadlessWindows, TheUserAndTheClockActOnlyOnALoadedForm) {
    HeadlessWindowToolkit toolkit;
    Counting events;
    std::unique_ptr<Form> form = toolkit.create_form(design());
    form->set_events(&events);
    EXPECT_FALSE(toolkit.tick("Frm", "Timer1")) << "not loaded";
    EXPECT_FALSE(toolkit.click("Frm", "CmdOk")) << "not loaded";
    form->set_timer_enabled("Timer1", true);
    EXPECT_FALSE(toolkit.tick("Frm", "Timer1")) << "interval 0";
    form->set_timer_interval("Timer1", 1);
    EXPECT_TRUE(toolkit.tick("Frm", "Timer1"));
    form->set_timer_enabled("Timer1", false);
    EXPECT_FALSE(toolkit.tick("Frm", "Timer1"));
    const Lines lines = toolkit.take_operations();
    EXPECT_EQ(Lines(lines.end() - 3, lines.end()),
              (Lines{"Frm.Timer1_Timer", "Frm.Timer1_Timer ended by error 6",
                     "Frm.Timer1.Enabled = False"}));
    EXPECT_FALSE(toolkit.press_enter("Frm")) << "no default button";
    EXPECT_FALSE(toolkit.click("Frm", "Pic"));
    EXPECT_FALSE(toolkit.press_access_key("Frm", u'A'));
    EXPECT_TRUE(toolkit.press_access_key("Frm", u'b'));
    form->set_default_button("CmdOk");
    EXPECT_TRUE(toolkit.press_enter("Frm"));
    EXPECT_TRUE(toolkit.click("Frm", "CmdAnd"));
    EXPECT_EQ(events.events, (Lines{"Timer1", "CmdAnd", "CmdOk", "CmdAnd"}));
}

TEST(HeadlessWindows, PicturesKeepAScreenCopyUntilResized) {
    HeadlessWindowToolkit toolkit;
    toolkit.set_screen(3, 2, 12, [](int x, int y) { return 0xFF000000u | (y * 16 + x + 1); });
    std::unique_ptr<Form> form = toolkit.create_form(design());
    EXPECT_EQ(form->control_rect_pixels("Pic"), (PixelRect{1, 2, 5, 4}));
    form->move_control_pixels("Pic", {0, 0, 5, 3}); // a new height: a new, blank image
    const std::vector<std::uint32_t>& image = toolkit.form("Frm")->images.at("Pic");
    EXPECT_EQ(image, std::vector<std::uint32_t>(15, 0x00FF0000u));
    form->copy_screen_to_picture("Pic", -1, 0);     // black beyond the screen on both sides
    form->move_control_pixels("Pic", {5, 5, 5, 3}); // moved, not resized: kept
    EXPECT_EQ(form->picture_pixels("Pic").pixels, image.data());
    EXPECT_EQ(image, (std::vector<std::uint32_t>{0, 1, 2, 3, 0, 0, 17, 18, 19, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(toolkit.screen().width_twips, 36);
    EXPECT_EQ(toolkit.screen().twips_per_pixel_y, 12);
}

TEST(HeadlessWindows, CentredAtLoadOrWhenFirstShownHalvesToEven) {
    // 1024 x 768 pixels of 15 twips; the window 101 x 61 pixels.
    const std::tuple<StartPosition, std::int32_t, std::int32_t> cases[] = {
        {StartPosition::Manual, 0, 0},
        {StartPosition::CentreScreen, 461 * 15, 353 * 15},
        {StartPosition::CentreScreenWhenShown, 462 * 15, 354 * 15},
    };
    for (const auto& [position, left, top] : cases) {
        HeadlessWindowToolkit toolkit;
        std::unique_ptr<Form> form = toolkit.create_form(design(position));
        form->show_modeless();
        EXPECT_EQ(form->left_twips(), left);
        EXPECT_EQ(form->top_twips(), top);
        form->set_left_twips(30);
        form->hide();
        form->show_modeless(); // placed once only
        EXPECT_EQ(form->left_twips(), 30);
        EXPECT_EQ(form->inner_width_pixels(), 101);
        EXPECT_EQ(form->inner_height_pixels(), 61);
    }
}

} // namespace
} // namespace orbek
