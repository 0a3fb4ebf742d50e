// sSplash on the headless window model: the order in which the window loads, lays itself out,
// shades the desktop copy and fills its labels; the texts; what the user and the timer do.
#include "automation/vb_error.h"
#include "platform/posix/headless_window_toolkit.h"
#include "splash/splash_window.h"
#include "support/error_number.h"
#include "support/window_host.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

using testing::error_number;
using testing::Lines;

struct SplashHost {
    HeadlessWindowToolkit toolkit;
    std::shared_ptr<SysTools> sys_tools = std::make_shared<testing::RecordingCompanion>(toolkit);
    SplashState state; // after the toolkit and the companion: its window goes first

    void show(const Variant& company, const Variant& copyright = u"(c)",
              const Variant& version = u"1.0", const Variant& product = u"Tesmara") {
        show_splash(state, {toolkit, sys_tools}, company, copyright, version, product);
    }
    const HeadlessFormState& window() const { return *toolkit.form("Frm_Splash"); }
    Lines take() { return toolkit.take_operations(); }
};

TEST(Splash, LoadsLaysOutShadesThenFillsItsLabels) {
    SplashHost host;
    host.show(u"  acme  ", u"(c) 2026", Variant(2.5), u" Tesmara ");
    const Lines expected = {
        "Load Frm_Splash",
        "Frm_Splash.p.Move 0, 0, 797, 445",
        "Frm_Splash.pM.Move 32, 32, 733, 381",
        "Frm_Splash.Width = 11955",
        "Frm_Splash.Height = 6675",
        "SetWindowPos Frm_Splash.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE Or SWP_NOSIZE",
        "Frm_Splash.Show",
        "Frm_Splash.Top = 11620",
        "Frm_Splash.Left = 15460",
        "DoEvents",
        "BitBlt Frm_Splash.p.hDC, 0, 0, 797, 445, GetDC(0), 114, 162, SRCCOPY",
        "Frm_Splash.p.Refresh",
        "Frm_Splash.Left = 1710",
        "Frm_Splash.Top = 2430",
        "Frm_Splash.Timer0.Enabled = True",
        "Frm_Splash.Timer0.Interval = 12345",
        "Frm_Splash.lblCopyright.Caption = \"(c) 2026\"",
        "Frm_Splash.lblVersion.Caption = \"2.5\"",
        "Frm_Splash.lblAppName.Caption = \" Tesmara \"",
        "Frm_Splash.Label2.Caption = \"ACME\"",
        "Frm_Splash.CmdSalida.Default = True",
        "Frm_Splash.Show",
    };
    EXPECT_EQ(host.take(), expected);
    EXPECT_TRUE(host.window().topmost);
    EXPECT_EQ(host.state.form_style, 1);
    EXPECT_EQ(host.state.shadowed_window, host.window().handle);
    EXPECT_EQ(host.window().texts.at("Label3"), u"Kalvix Sistemas, S.A. de C.V.");
}

TEST(Splash, CompanyLineTrimmedInCapitalsOtherTextsAsGiven) {
    struct Case {
        Variant company, copyright, version;
        const char16_t *label2, *copyright_shown, *version_shown;
    };
    const Case cases[] = {
        {u"", u"", u"", u"TESMARA II", u"", u""},
        {u"   ", Variant(), Variant(), u"TESMARA II", u"", u""},
        {u"\tAcme ", u" 2026 ", Variant(std::int32_t{3}), u"\tACME", u" 2026 ", u"3"},
        {u"año", Variant(2026.5), Variant(true), u"AÑO", u"2026.5", u"True"},
        {Variant(std::int16_t{-7}), u"", u"", u"-7", u"", u""},
    };
    for (const Case& c : cases) {
        SplashHost host;
        host.show(c.company, c.copyright, c.version);
        EXPECT_EQ(host.window().texts.at("Label2"), c.label2);
        EXPECT_EQ(host.window().texts.at("lblCopyright"), c.copyright_shown);
        EXPECT_EQ(host.window().texts.at("lblVersion"), c.version_shown);
    }
}

// A Null argument ends the call: the texts before it are stored, the window is not touched.
TEST(Splash, NullEndsTheCallWithTheTextsBeforeItStored) {
    for (int position = 0; position < 4; ++position) {
        SplashHost host;
        Variant texts[4] = {u"a", u"b", u"c", u"d"};
        texts[position] = Variant::null();
        EXPECT_EQ(error_number([&] { host.show(texts[0], texts[1], texts[2], texts[3]); }),
                  vb::InvalidUseOfNull);
        const Text stored[4] = {host.state.texts.company, host.state.texts.copyright,
                                host.state.texts.version, host.state.texts.product};
        for (int before = 0; before < 4; ++before)
            EXPECT_EQ(stored[before], before < position ? texts[before].text() : u"") << position;
        EXPECT_EQ(host.state.form_style, 0);
        EXPECT_TRUE(host.take().empty());
    }
}

// A call while the window is open stores its texts and shows it again; once the window has
// closed, the next call loads it afresh with them.
TEST(Splash, ACallWhileOpenShowsItAgainOnlyOnceClosedTheNextLoadsItAfresh) {
    SplashHost host;
    host.show(u"first");
    const std::int32_t handle = host.window().handle;
    host.take();
    host.show(u"second", u"x", u"y", u"z");
    EXPECT_EQ(host.take(), Lines{"Frm_Splash.Show"});
    EXPECT_EQ(host.window().texts.at("Label2"), u"FIRST");
    EXPECT_EQ(host.state.texts.company, u"second");
    EXPECT_EQ(host.window().handle, handle);
    host.toolkit.tick("Frm_Splash", "Timer0");
    host.show(u"third");
    EXPECT_NE(host.window().handle, handle);
    EXPECT_EQ(host.window().texts.at("Label2"), u"THIRD");
    EXPECT_TRUE(host.window().timers.at("Timer0").enabled);
}

// What the user or the clock does: "tick", "Enter", "Alt+" a letter, or a button's name.
bool act(HeadlessWindowToolkit& toolkit, const std::string& action) {
    if (action == "tick")
        return toolkit.tick("Frm_Splash", "Timer0");
    if (action == "Enter")
        return toolkit.press_enter("Frm_Splash");
    if (action.starts_with("Alt+"))
        return toolkit.press_access_key("Frm_Splash", static_cast<char16_t>(action[4]));
    return toolkit.click("Frm_Splash", action);
}

TEST(Splash, ClosesByTimerOkEnterOrAltOAndInfoSysOpensTheSystemInformation) {
    const Lines ok = {"Frm_Splash.CmdSalida_Click", "Unload Frm_Splash"};
    const Lines info = {"Frm_Splash.CmdSystem_Click", "Unload Frm_Splash",
                        "ShowSystemInfo Boolean True, True"};
    const std::pair<const char*, Lines> cases[] = {
        {"tick", {"Frm_Splash.Timer0_Timer", "Unload Frm_Splash"}},
        {"CmdSalida", ok},
        {"Enter", ok},
        {"Alt+o", ok},
        {"CmdSystem", info},
        {"Alt+S", info},
        {"Alt+x", {}},
    };
    for (const auto& [action, lines] : cases) {
        SplashHost host;
        host.show(u"acme");
        host.take();
        EXPECT_EQ(act(host.toolkit, action), !lines.empty()) << action;
        EXPECT_EQ(host.take(), lines) << action;
    }
    SplashHost host; // without a companion, Info Sys ends its handler with error 91
    host.sys_tools.reset();
    host.show(u"acme");
    host.take();
    host.toolkit.click("Frm_Splash", "CmdSystem");
    EXPECT_EQ(host.take(), (Lines{"Frm_Splash.CmdSystem_Click", "Unload Frm_Splash",
                                  "Frm_Splash.CmdSystem_Click ended by error 91"}));
}

// The background holds the screen rectangle the centred window covers, with the shadow
// painted into it: exact at the ring's edges and half-way through it.
TEST(Splash, BackgroundIsTheCentredScreenCopyWithTheShadow) {
    SplashHost host;
    // White, except for one pixel that marks where the copy starts.
    host.toolkit.set_screen(1024, 768, 15, [](int x, int y) {
        return x == 114 && y == 162 ? 0x00123456u : 0x00FFFFFFu;
    });
    host.show(u"acme");
    const std::vector<std::uint32_t>& image = host.window().images.at("p");
    const auto at = [&image](int x, int y) { return image[static_cast<std::size_t>(y) * 797 + x]; };
    const std::tuple<int, int, std::uint32_t> points[] = {
        {0, 0, 0x00123456},     // the copy's first pixel, beyond the ring
        {400, 412, 0x00323228}, // the shadow's inner edge below the artwork
        {400, 428, 0x00989894}, // half-way: 152, 152, 148
        {400, 444, 0x00FFFFFF}, // the ring's outer edge keeps its colour
        {764, 200, 0x00323228}, // inner edge to the right
        {780, 200, 0x00989894}, {796, 200, 0x00FFFFFF},
        {24, 200, 0x00989894}, // the faint band on the left, under the artwork's edge
    };
    for (const auto& [x, y, pixel] : points)
        EXPECT_EQ(at(x, y), pixel) << x << "," << y;
}

} // namespace
} // namespace orbek
