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

namespace orbek {
namespace {

FormDesign splash_like_design(StartPosition position) {
    FormDesign design;
    design.name = "FrmPicture";
    design.position = position;
    design.client_width = 1515; // 101 x 61 pixels
    design.client_height = 915;
    ControlDesign timer;
    timer.name = "Timer1";
    timer.kind = ControlKind::Timer;
    ControlDesign picture;
    picture.name = "Pic";
    picture.kind = ControlKind::PictureBox;
    picture.place = {15, 30, 60, 45}; // 1, 2, 4 x 3 pixels
    picture.keeps_drawing = true;
    picture.back_colour = 0x0000FF; // red
    ControlDesign plain = picture;
    plain.name = "Plain";
    plain.keeps_drawing = false;
    ControlDesign ok;
    ok.name = "CmdOk";
    ok.kind = ControlKind::CommandButton;
    ok.caption = u"&OK";
    ControlDesign other = ok;
    other.name = "CmdAnd";
    other.caption = u"A && &b";
    design.controls = {timer, picture, plain, ok, other};
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

TEST(AccessKeys, TheLetterAfterASingleAmpersandInCapitals) {
    const std::pair<const char16_t*, std::optional<char16_t>> cases[] = {
        {u"&OK", u'O'},        {u"Info &Sys", u'S'},     {u"A && &b", u'B'}, {u"&&x", std::nullopt},
        {u"x&", std::nullopt}, {u"plain", std::nullopt}, {u"&ñ", u'Ñ'},
    };
    for (const auto& [caption, key] : cases)
        EXPECT_EQ(access_key_of(caption), key) << to_utf8(caption);
}

TEST(HeadlessWindows, TimersTickOnlyWhileEnabledWithAnInterval) {
    HeadlessWindowToolkit toolkit;
    Counting events;
    std::unique_ptr<Form> form = toolkit.create_form(splash_like_design(StartPosition::Manual));
    form->set_events(&events);
    EXPECT_FALSE(toolkit.tick("FrmPicture", "Timer1")) << "not loaded";
    form->set_timer_enabled("Timer1", true);
    EXPECT_FALSE(toolkit.tick("FrmPicture", "Timer1")) << "interval 0";
    form->set_timer_interval("Timer1", 1);
    EXPECT_TRUE(toolkit.tick("FrmPicture", "Timer1"));
    form->set_timer_enabled("Timer1", false);
    EXPECT_FALSE(toolkit.tick("FrmPicture", "Timer1"));
    EXPECT_EQ(events.events, Lines{"Timer1"});
    const Lines lines = toolkit.take_operations();
    EXPECT_EQ(Lines(lines.end() - 3, lines.end()),
              (Lines{"FrmPicture.Timer1_Timer", "FrmPicture.Timer1_Timer ended by error 6",
                     "FrmPicture.Timer1.Enabled = False"}));
}

TEST(HeadlessWindows, ButtonsByClickEnterAndAccessKey) {
    HeadlessWindowToolkit toolkit;
    Counting events;
    std::unique_ptr<Form> form = toolkit.create_form(splash_like_design(StartPosition::Manual));
    form->set_events(&events);
    EXPECT_FALSE(toolkit.click("FrmPicture", "CmdOk")) << "not loaded";
    form->load();
    EXPECT_FALSE(toolkit.press_enter("FrmPicture")) << "no default button";
    EXPECT_FALSE(toolkit.click("FrmPicture", "Pic"));
    EXPECT_FALSE(toolkit.press_access_key("FrmPicture", u'A'));
    EXPECT_TRUE(toolkit.press_access_key("FrmPicture", u'b'));
    form->set_default_button("CmdOk");
    EXPECT_TRUE(toolkit.press_enter("FrmPicture"));
    EXPECT_TRUE(toolkit.click("FrmPicture", "CmdAnd"));
    EXPECT_EQ(events.events, (Lines{"CmdAnd", "CmdOk", "CmdAnd"}));
}

TEST(HeadlessWindows, PicturesKeepAScreenCopyUntilResized) {
    HeadlessWindowToolkit toolkit;
    toolkit.set_screen(3, 2, 12, [](int x, int y) { return 0xFF000000u | (y * 16 + x + 1); });
    std::unique_ptr<Form> form = toolkit.create_form(splash_like_design(StartPosition::Manual));
    EXPECT_EQ(form->control_rect_pixels("Pic"), (PixelRect{1, 2, 5, 4}));
    form->move_control_pixels("Pic", {0, 0, 5, 3}); // a new height: a new, blank image
    const std::vector<std::uint32_t>& image = toolkit.form("FrmPicture")->images.at("Pic");
    EXPECT_EQ(image, std::vector<std::uint32_t>(15, 0x00FF0000u));
    form->copy_screen_to_picture("Pic", -1, 0);     // black beyond the screen on both sides
    form->move_control_pixels("Pic", {5, 5, 5, 3}); // moved, not resized: kept
    const PixelBuffer copied = form->picture_pixels("Pic");
    EXPECT_EQ(copied.pixels, image.data());
    EXPECT_EQ(image, (std::vector<std::uint32_t>{0, 1, 2, 3, 0, 0, 17, 18, 19, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(toolkit.screen().width_twips, 36);
    EXPECT_EQ(toolkit.screen().twips_per_pixel_y, 12);
}

TEST(HeadlessWindows, CentredAtLoadOrWhenFirstShownHalvesToEven) {
    struct Case {
        StartPosition position;
        std::int32_t left, top;
    };
    // 1024 x 768 pixels of 15 twips; the window 101 x 61 pixels.
    const Case cases[] = {
        {StartPosition::Manual, 0, 0},
        {StartPosition::CentreScreen, 461 * 15, 353 * 15},
        {StartPosition::CentreScreenWhenShown, 462 * 15, 354 * 15},
    };
    for (const Case& c : cases) {
        HeadlessWindowToolkit toolkit;
        std::unique_ptr<Form> form = toolkit.create_form(splash_like_design(c.position));
        form->show_modeless();
        EXPECT_EQ(form->left_twips(), c.left);
        EXPECT_EQ(form->top_twips(), c.top);
        form->set_left_twips(30);
        form->hide();
        form->show_modeless(); // placed once only
        EXPECT_EQ(form->left_twips(), 30);
        EXPECT_EQ(form->inner_width_pixels(), 101);
        EXPECT_EQ(form->inner_height_pixels(), 61);
    }
}

TEST(HeadlessWindows, NewOperationsReachOnlyControlsOfTheirKind) {
    const std::function<void(Form&)> operations[] = {
        [](Form& f) { f.control_rect_pixels("Timer1"); },
        [](Form& f) { f.move_control_pixels("Nothing", {}); },
        [](Form& f) { f.refresh_control("Timer1"); },
        [](Form& f) { f.picture_pixels("Plain"); },
        [](Form& f) { f.copy_screen_to_picture("CmdOk", 0, 0); },
        [](Form& f) { f.set_default_button("Pic"); },
        [](Form& f) { f.set_timer_enabled("CmdOk", true); },
        [](Form& f) { f.set_timer_interval("Pic", 1); },
    };
    for (const auto& operation : operations) {
        HeadlessWindowToolkit toolkit;
        std::unique_ptr<Form> form = toolkit.create_form(splash_like_design(StartPosition::Manual));
        EXPECT_EQ(error_number([&] { operation(*form); }), vb::MemberNotFound);
        EXPECT_TRUE(toolkit.operations().empty());
    }
}

TEST(HeadlessWindows, NewOperationsLoadAnUnloadedFormFirst) {
    const std::function<void(Form&)> operations[] = {
        [](Form& f) { f.make_topmost(); },
        [](Form& f) { f.left_twips(); },
        [](Form& f) { f.top_twips(); },
        [](Form& f) { f.set_width_twips(1); },
        [](Form& f) { f.inner_width_pixels(); },
        [](Form& f) { f.inner_height_pixels(); },
        [](Form& f) { f.control_rect_pixels("Pic"); },
        [](Form& f) { f.move_control_pixels("Pic", {}); },
        [](Form& f) { f.refresh_control("Pic"); },
        [](Form& f) { f.picture_pixels("Pic"); },
        [](Form& f) { f.copy_screen_to_picture("Pic", 0, 0); },
        [](Form& f) { f.set_default_button("CmdOk"); },
        [](Form& f) { f.set_timer_enabled("Timer1", true); },
        [](Form& f) { f.set_timer_interval("Timer1", 1); },
    };
    for (const auto& operation : operations) {
        HeadlessWindowToolkit toolkit;
        std::unique_ptr<Form> form = toolkit.create_form(splash_like_design(StartPosition::Manual));
        operation(*form);
        EXPECT_TRUE(form->is_loaded());
        EXPECT_EQ(toolkit.operations().front(), "Load FrmPicture");
    }
}

} // namespace
} // namespace orbek
