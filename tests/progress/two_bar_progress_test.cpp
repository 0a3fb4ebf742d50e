#include "automation/vb_error.h"
#include "progress/progress_host.h"
#include "progress/two_bar_progress.h"
#include "support/error_number.h"

#include <gtest/gtest.h>
#include <limits>

namespace orbek {
namespace {

using testing::error_number;
using testing::joined;
using testing::Lines;
using testing::ProgressHost;

constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();

struct ShowCall {
    double reg1;
    double reg2;
    Text text1 = u"";
    Text text2 = u"";
    Text title = u"Procesando ...";
    bool run_down = false;
    bool effect = false;
};

void call(ProgressHost& host, const ShowCall& c) {
    progress_show(host.windows, host.services, c.reg1, c.reg2, c.text1, c.text2, c.title,
                  c.run_down, c.effect);
}

// The lines of an update call up to and including the visibility question.
Lines update_lines(const std::string& text1, const std::string& bar1, const std::string& text2,
                   const std::string& bar2, bool was_visible,
                   const std::string& caption = "Procesando ...") {
    Lines lines = {"FrmProgShow.Height = 2085",
                   "FrmProgShow.Caption = \"" + caption + "\"",
                   "FrmProgShow.LblTxt1.Caption = \"" + text1 + "\"",
                   "FrmProgShow.ProgressBar1.[0x68030002] = Long " + bar1,
                   "FrmProgShow.LblTxt2.Caption = \"" + text2 + "\"",
                   "FrmProgShow.ProgressBar2.[0x68030002] = Long " + bar2,
                   "DoEvents",
                   std::string("FrmProgShow.Visible -> ") + (was_visible ? "True" : "False")};
    if (!was_visible) {
        lines.push_back("FrmProgShow.Show");
    }
    return lines;
}

Lines run_down_lines() {
    Lines lines = {"FrmProgShow.LblTxt1.Caption = \"\"", "FrmProgShow.LblTxt2.Caption = \"\"",
                   "FrmProgShow.Show", "Delay 5"};
    for (int value = 100; value >= 0; --value) {
        lines.push_back("FrmProgShow.ProgressBar1.[0x68030002] = Long " + std::to_string(value));
        lines.push_back("FrmProgShow.ProgressBar2.[0x68030002] = Long " + std::to_string(value));
        lines.push_back("Delay 1");
        lines.push_back("DoEvents");
    }
    return lines;
}

TEST(ProgressShowKind, FinishesOnlyOnTheExactEndWordWithBothValuesAtLeastZero) {
    struct Case {
        Text text1;
        double reg1;
        double reg2;
        bool finishing;
    };
    const Case cases[] = {
        {u"Fin", 0, 0, true},
        {u"Fin", 150, 99.5, true},
        {u"Fin", -0.0, 0, true}, // minus zero is 0
        {u"fin", 0, 0, false},
        {u"FIN", 0, 0, false},
        {u"Fin ", 0, 0, false},
        {u" Fin", 0, 0, false},
        {u"Fi", 0, 0, false},
        {u"Fine", 0, 0, false},
        {u"", 0, 0, false},
        {u"Fin", -1, 0, false},
        {u"Fin", 0, -1, false},
        {u"Fin", -0.0001, 50, false},
        {u"Fin", NotANumber, 0, false}, // not a number counts as below 0
        {u"Fin", 0, NotANumber, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(is_finishing_show(c.reg1, c.reg2, c.text1), c.finishing)
            << to_utf8(c.text1) << " " << c.reg1 << " " << c.reg2;
    }
}

TEST(ProgressShowUpdate, SetsEverythingInOrderAndShowsOnlyAHiddenWindow) {
    struct Case {
        ShowCall call;
        Lines lines;
    };
    const Case cases[] = {
        {{25, 75, u"first", u"second"}, update_lines("first", "25", "second", "75", false)},
        {{25, 75, u"a", u"b", u"Mine"}, update_lines("a", "25", "b", "75", false, "Mine")},
        // Whole numbers, halves to even.
        {{2.5, 3.5}, update_lines("", "2", "", "4", false)},
        {{-2.5, 0.5000001}, update_lines("", "-2", "", "1", false)},
        // Nothing is clamped.
        {{-1, 250}, update_lines("", "-1", "", "250", false)},
        // Not the end word, or not both values at least 0: an update that shows the text.
        {{0, 0, u"fin"}, update_lines("fin", "0", "", "0", false)},
        {{0, -1, u"Fin"}, update_lines("Fin", "0", "", "-1", false)},
        {{2147483647.4, -2147483648.4}, update_lines("", "2147483647", "", "-2147483648", false)},
    };
    for (const Case& c : cases) {
        ProgressHost host;
        call(host, c.call);
        EXPECT_EQ(host.take(), joined({{"Load FrmProgShow"}, c.lines}))
            << c.call.reg1 << " " << c.call.reg2;
    }
}

TEST(ProgressShowUpdate, DoesNotShowAVisibleWindowAgain) {
    ProgressHost host;
    call(host, {10, 20, u"a", u"b"});
    host.take();
    call(host, {11, 21, u"c", u"d"});
    EXPECT_EQ(host.take(), update_lines("c", "11", "d", "21", true));
}

TEST(ProgressShowUpdate, FailsWithOverflowAfterTheStepsBeforeTheBar) {
    struct Case {
        ShowCall call;
        std::size_t lines_done; // after the load
    };
    const Case cases[] = {
        {{2147483647.5, 0}, 3},       {{-2147483648.6, 0}, 3}, {{1e300, 0}, 3},
        {{NotANumber, 0, u"Fin"}, 3}, {{0, 2147483648.0}, 5},  {{0, NotANumber}, 5},
    };
    for (const Case& c : cases) {
        ProgressHost host;
        EXPECT_EQ(error_number([&] { call(host, c.call); }), vb::Overflow) << c.call.reg1;
        Lines expected = update_lines(to_utf8(c.call.text1), "0", "", "", false);
        expected.resize(c.lines_done);
        EXPECT_EQ(host.take(), joined({{"Load FrmProgShow"}, expected})) << c.call.reg1;
    }
}

TEST(ProgressShowFinish, RunsDownPlaysTheEffectThenUnloadsAndLoadsAgain) {
    const Lines effect = {"CloseEffect 0, 2085, 0, FrmProgShow"};
    const Lines reload = {"Unload FrmProgShow", "Load FrmProgShow"};
    struct Case {
        const char* name;
        ShowCall call;
        Lines lines;
    };
    const Case cases[] = {
        {"no flags", {0, 0, u"Fin"}, reload},
        {"values above 100", {300, 200, u"Fin", u"x", u"y"}, reload},
        {"run-down", {0, 0, u"Fin", u"", u"", true}, joined({run_down_lines(), reload})},
        {"effect", {0, 0, u"Fin", u"", u"", false, true}, joined({effect, reload})},
        {"both", {0, 0, u"Fin", u"", u"", true, true}, joined({run_down_lines(), effect, reload})},
    };
    for (const Case& c : cases) {
        ProgressHost host;
        call(host, {40, 60, u"a", u"b", u"Job"});
        host.take();
        call(host, c.call);
        EXPECT_EQ(host.take(), c.lines) << c.name;
        // Loaded again as designed, hidden.
        const HeadlessFormState* window = host.toolkit.form("FrmProgShow");
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->loaded) << c.name;
        EXPECT_FALSE(window->visible) << c.name;
        EXPECT_EQ(window->caption, u"Form Progress Show 1") << c.name;
        EXPECT_EQ(window->texts.at("LblTxt1"), u"Label1") << c.name;
        EXPECT_EQ(window->texts.at("LblTxt2"), u"Label1") << c.name;
        EXPECT_TRUE(window->properties.empty()) << c.name;
        EXPECT_FALSE(window->height_twips.has_value()) << c.name;
    }
}

TEST(ProgressShowFinish, TheEffectActsOnTheWindowThatIsClosed) {
    ProgressHost host;
    call(host, {1, 1, u"a"});
    const std::int32_t shown = host.toolkit.form("FrmProgShow")->handle;
    host.take();
    call(host, {0, 0, u"Fin", u"", u"", false, true});
    EXPECT_EQ(host.take().front(), "CloseEffect 0, 2085, 0, FrmProgShow");
    EXPECT_NE(host.toolkit.form("FrmProgShow")->handle, shown); // a new window after it
}

TEST(ProgressShowFinish, OnAFreshThreadLeavesTheWindowLoadedAndHidden) {
    ProgressHost host;
    call(host, {0, 0, u"Fin"});
    EXPECT_EQ(host.take(), (Lines{"Load FrmProgShow"})); // nothing loaded to unload
    EXPECT_FALSE(host.toolkit.form("FrmProgShow")->visible);
    // The design caption shows during a following run-down.
    call(host, {0, 0, u"Fin", u"", u"", true});
    const Lines lines = host.take();
    EXPECT_EQ(lines[2], "FrmProgShow.Show");
    EXPECT_EQ(host.toolkit.form("FrmProgShow")->caption, u"Form Progress Show 1");
}

TEST(ProgressShowFinish, TheNextUpdateRestoresEverythingBeforeShowing) {
    ProgressHost host;
    call(host, {40, 60, u"a", u"b", u"Job"});
    call(host, {0, 0, u"Fin", u"", u"", false, true});
    host.take();
    call(host, {5, 6, u"c", u"d", u"Job"});
    EXPECT_EQ(host.take(), update_lines("c", "5", "d", "6", false, "Job"));
    const HeadlessFormState* window = host.toolkit.form("FrmProgShow");
    EXPECT_TRUE(window->visible);
    EXPECT_EQ(window->height_twips, 2085);
}

TEST(ProgressShowFinish, AFailingEffectLeavesTheWindowAsItWas) {
    ProgressHost host;
    call(host, {40, 60, u"a", u"b"});
    host.take();
    host.companion.close_effect_error = 5;
    EXPECT_EQ(error_number([&] {
                  call(host, {0, 0, u"Fin", u"", u"", false, true});
              }),
              vb::InvalidProcedureCall);
    EXPECT_EQ(host.take(), (Lines{"CloseEffect 0, 2085, 0, FrmProgShow"}));
    EXPECT_TRUE(host.toolkit.form("FrmProgShow")->visible);
}

} // namespace
} // namespace orbek
