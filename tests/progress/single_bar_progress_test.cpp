#include "automation/vb_error.h"
#include "progress/progress_host.h"
#include "progress/single_bar_progress.h"
#include "support/error_number.h"

#include <gtest/gtest.h>
#include <limits>

namespace orbek {
namespace {

using testing::error_number;
using testing::joined;
using testing::Lines;
using testing::ProgressHost;

Currency money(double value) {
    return Currency::from_double(value);
}

struct BarCall {
    double valor;
    double max;
    Text text = u"";
    Text title = u"Procesando ...";
    bool run_down = false;
    bool effect = false;
    double min = 0;
};

void call(ProgressHost& host, const BarCall& c) {
    progress_bar(host.windows, host.services, money(c.valor), money(c.min), money(c.max), c.text,
                 c.title, c.run_down, c.effect);
}

void sti(ProgressHost& host, std::int16_t percentage, bool run_down = false, bool effect = false,
         TextView text = u"", TextView title = u"Procesando ...") {
    sti_progress_bar(host.windows, host.services, percentage, text, title, run_down, effect);
}

// The lines of one update call on a window that is already loaded.
Lines update_lines(const std::string& dial, const std::string& bar, const std::string& text,
                   const std::string& caption = "Procesando ...") {
    return {"FrmProgressBar.Height = 3135",
            "FrmProgressBar.gauge1.[0x68030000] = " + dial,
            "FrmProgressBar.BarraVista1.[0x68030002] = " + bar,
            "FrmProgressBar.Label1.Caption = \"" + text + "\"",
            "FrmProgressBar.Caption = \"" + caption + "\"",
            "DoEvents",
            "FrmProgressBar.Show"};
}

// The run-down: the text line emptied, the dial at 100, the window shown, the pause before,
// then 101 steps from 100 to 0 with `level` pauses.
Lines run_down_lines(const Lines& pause_before, int level) {
    Lines lines = {"FrmProgressBar.Label1.Caption = \"\"",
                   "FrmProgressBar.gauge1.[0x68030000] = Integer 100", "FrmProgressBar.Show"};
    lines.insert(lines.end(), pause_before.begin(), pause_before.end());
    for (int value = 100; value >= 0; --value) {
        lines.push_back("FrmProgressBar.BarraVista1.[0x68030002] = Long " + std::to_string(value));
        lines.push_back("FrmProgressBar.gauge1.[0x68030000] = Currency " + std::to_string(value));
        lines.push_back("Delay " + std::to_string(level));
        lines.push_back("DoEvents");
    }
    return lines;
}

TEST(ProgressPercentage, IsValorTimesHundredOverMaxInCurrency) {
    struct Case {
        double valor;
        double max;
        double percentage;
    };
    const Case cases[] = {
        {50, 200, 25},
        {0, 200, 0},
        {1, 3, 33.3333},
        {2, 3, 66.6667},
        {-5, 100, -5},
        {5, -100, -5},
        {50.5, 100, 50.5},
        {9999.9999, 10000, 100}, // 99.999999 rounds up to the finishing 100.0000
        {9999.9949, 10000, 99.9999},
        {300, 200, 150},
        {0.0001, 1000000, 0}, // 0.00000001 has no fourth decimal
        {1, 0.0001, 1000000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(progress_percentage(money(c.valor), money(c.max)), money(c.percentage))
            << c.valor << " of " << c.max;
    }
}

TEST(ProgressPercentage, FailsWithOverflowWhenItDoesNotFit) {
    const Currency largest = Currency::from_scaled(std::numeric_limits<std::int64_t>::max());
    struct Case {
        Currency valor;
        Currency max;
    };
    const Case cases[] = {
        {money(5), money(0)},         // an infinite quotient
        {money(-5), money(0)},        // minus infinity
        {money(0), money(0)},         // no quotient at all
        {largest, money(1000)},       // the hundred-fold is past the Currency range
        {money(1e12), money(0.0001)}, // the quotient is
    };
    for (const Case& c : cases) {
        EXPECT_EQ(error_number([&] { progress_percentage(c.valor, c.max); }), vb::Overflow)
            << c.valor.scaled() << " of " << c.max.scaled();
    }
}

TEST(ProgressBarUpdate, SetsHeightDialBarTextCaptionThenHandlesEventsAndShows) {
    struct Case {
        BarCall call;
        Lines lines;
    };
    const Case cases[] = {
        {{50, 200, u"Registro 50"}, update_lines("Currency 25", "Long 25", "Registro 50")},
        {{50, 200, u"x", u"Title", false, false, 40}, // Min takes no part
         update_lines("Currency 25", "Long 25", "x", "Title")},
        {{0, 200}, update_lines("Currency 0", "Long 0", "")},
        // The dial keeps four decimals; the bar rounds halves to even.
        {{50.5, 100}, update_lines("Currency 50.5", "Long 50", "")},
        {{51.5, 100}, update_lines("Currency 51.5", "Long 52", "")},
        {{2, 3}, update_lines("Currency 66.6667", "Long 67", "")},
        {{99.9949, 100}, update_lines("Currency 99.9949", "Long 100", "")},
        // Nothing is clamped: opposite signs give a negative update.
        {{-5, 100}, update_lines("Currency -5", "Long -5", "")},
        // The finishing flags do nothing in an update.
        {{10, 100, u"", u"T", true, true}, update_lines("Currency 10", "Long 10", "", "T")},
    };
    for (const Case& c : cases) {
        ProgressHost host;
        call(host, c.call);
        EXPECT_EQ(host.take(), joined({{"Load FrmProgressBar"}, c.lines}))
            << c.call.valor << " of " << c.call.max;
    }
}

TEST(ProgressBarUpdate, ShowsAgainOnEveryUpdateAndLoadsOnlyOnce) {
    ProgressHost host;
    call(host, {10, 100, u"a"});
    call(host, {20, 100, u"b"});
    EXPECT_EQ(host.take(), joined({{"Load FrmProgressBar"},
                                   update_lines("Currency 10", "Long 10", "a"),
                                   update_lines("Currency 20", "Long 20", "b")}));
}

TEST(ProgressBarFinish, RunsDownPlaysTheEffectAndHidesAsAsked) {
    const Lines count_pause = {}; // the empty count records nothing
    const Lines effect = {"CloseEffect 0, 3135, 0, FrmProgressBar"};
    const Lines hide = {"FrmProgressBar.Hide"};
    struct Case {
        const char* name;
        BarCall call;
        Lines lines;
    };
    const Case cases[] = {
        {"no flags", {100, 100}, hide},
        {"above the maximum", {250, 100}, hide},
        {"rounded up to 100", {9999.9999, 10000}, hide},
        {"run-down", {100, 100, u"", u"", true}, joined({run_down_lines(count_pause, 5), hide})},
        {"effect", {100, 100, u"", u"", false, true}, joined({effect, hide})},
        {"both",
         {100, 100, u"", u"", true, true},
         joined({run_down_lines(count_pause, 5), effect, hide})},
    };
    for (const Case& c : cases) {
        ProgressHost host;
        call(host, {10, 100});
        host.take();
        call(host, c.call);
        EXPECT_EQ(host.take(), c.lines) << c.name;
        const HeadlessFormState* window = host.toolkit.form("FrmProgressBar");
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->loaded) << c.name; // hidden, never unloaded
        EXPECT_FALSE(window->visible) << c.name;
    }
}

TEST(ProgressBarFinish, OnAFreshThreadLoadsTheWindowHiddenAndShowsTheDesignCaption) {
    ProgressHost host;
    call(host, {100, 100});
    EXPECT_EQ(host.take(), (Lines{"Load FrmProgressBar", "FrmProgressBar.Hide"}));

    // A run-down on a window no update has shown shows it with its design caption.
    ProgressHost fresh;
    call(fresh, {100, 100, u"", u"", true});
    const Lines lines = fresh.take();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Load FrmProgressBar");
    EXPECT_EQ(lines[3], "FrmProgressBar.Show");
    EXPECT_EQ(fresh.toolkit.form("FrmProgressBar")->caption, u"Form1");
}

TEST(ProgressBarFinish, KeepsCaptionTextAndHeightForTheNextUpdate) {
    ProgressHost host;
    call(host, {10, 100, u"last line", u"My job"});
    call(host, {100, 100, u"ignored", u"ignored too", false, true});
    const HeadlessFormState* window = host.toolkit.form("FrmProgressBar");
    EXPECT_EQ(window->caption, u"My job");
    EXPECT_EQ(window->texts.at("Label1"), u"last line");
    host.take();
    // The next update shows it again at its full height.
    call(host, {1, 100});
    EXPECT_EQ(host.take(), update_lines("Currency 1", "Long 1", ""));
    EXPECT_TRUE(window->visible);
    EXPECT_EQ(window->height_twips, 3135);
}

TEST(STIProgressBar, UpdatesWithTheIntegerAsGivenAndFinishesFrom100) {
    struct Case {
        std::int16_t percentage;
        Lines lines;
    };
    const Case cases[] = {
        {25, update_lines("Integer 25", "Long 25", "")},
        {99, update_lines("Integer 99", "Long 99", "")},
        {0, update_lines("Integer 0", "Long 0", "")},
        {-5, update_lines("Integer -5", "Long -5", "")},
        {-32768, update_lines("Integer -32768", "Long -32768", "")},
        {100, {"FrmProgressBar.Hide"}},
        {101, {"FrmProgressBar.Hide"}},
        {32767, {"FrmProgressBar.Hide"}},
    };
    for (const Case& c : cases) {
        ProgressHost host;
        sti(host, c.percentage);
        EXPECT_EQ(host.take(), joined({{"Load FrmProgressBar"}, c.lines})) << c.percentage;
    }
}

TEST(STIProgressBar, RunsDownWithDelaysOfLevels5Then1) {
    const Lines effect = {"CloseEffect 0, 3135, 0, FrmProgressBar"};
    const Lines hide = {"FrmProgressBar.Hide"};
    ProgressHost host;
    sti(host, 40, false, false, u"m", u"t");
    host.take();
    sti(host, 100, true, true);
    EXPECT_EQ(host.take(), joined({run_down_lines({"Delay 5"}, 1), effect, hide}));
}

TEST(ProgressBarFailures, StopAtTheFailingStepAndKeepWhatWasDone) {
    ProgressHost host;
    // Max 0 fails before the window is touched: it is not even loaded.
    EXPECT_EQ(error_number([&] { call(host, {5, 0}); }), vb::Overflow);
    EXPECT_EQ(error_number([&] { call(host, {0, 0}); }), vb::Overflow);
    EXPECT_TRUE(host.take().empty());
    EXPECT_EQ(host.toolkit.form("FrmProgressBar"), nullptr);

    // An update percentage past the Long range: the dial has it, the bar fails.
    EXPECT_EQ(error_number([&] { call(host, {-1e9, 1}); }), vb::Overflow);
    EXPECT_EQ(host.take(), (Lines{"Load FrmProgressBar", "FrmProgressBar.Height = 3135",
                                  "FrmProgressBar.gauge1.[0x68030000] = Currency -100000000000"}));

    // A failing closing effect ends the call before the window is hidden.
    call(host, {10, 100});
    host.take();
    host.companion.close_effect_error = 91;
    EXPECT_EQ(error_number([&] { call(host, {100, 100, u"", u"", false, true}); }), 91);
    EXPECT_EQ(host.take(), (Lines{"CloseEffect 0, 3135, 0, FrmProgressBar"}));
    EXPECT_TRUE(host.toolkit.form("FrmProgressBar")->visible);
}

} // namespace
} // namespace orbek
