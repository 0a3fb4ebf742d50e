#include "automation/vb_error.h"
#include "progress/two_bar_progress.h"
#include "support/error_number.h"
#include "support/window_host.h"

#include <gtest/gtest.h>
#include <limits>

namespace orbek {
namespace {

using testing::error_number;
using testing::joined;
using testing::Lines;
using testing::ProgressHost;

constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();

struct Call {
    double reg1;
    double reg2;
    Text text1 = u"";
    Text text2 = u"";
    Text title = u"Procesando ...";
    bool run_down = false;
    bool effect = false;
};

void make(ProgressHost& host, const Call& c) {
    progress_show(host.windows, host.services, c.reg1, c.reg2, c.text1, c.text2, c.title,
                  c.run_down, c.effect);
}

const Lines Load = {"Load FrmProgShow"};
const Lines Reload = {"Unload FrmProgShow", "Load FrmProgShow"};
const Lines Effect = {"CloseEffect 0, 2085, 0, FrmProgShow"};

// An update's lines; only the first `steps` of them when it fails.
Lines update(const std::string& text1, const std::string& bar1, const std::string& text2,
             const std::string& bar2, bool was_visible = false,
             const std::string& caption = "Procesando ...", std::size_t steps = 9) {
    Lines lines = {"FrmProgShow.Height = 2085",
                   "FrmProgShow.Caption = \"" + caption + "\"",
                   "FrmProgShow.LblTxt1.Caption = \"" + text1 + "\"",
                   "FrmProgShow.ProgressBar1.[0x68030002] = Long " + bar1,
                   "FrmProgShow.LblTxt2.Caption = \"" + text2 + "\"",
                   "FrmProgShow.ProgressBar2.[0x68030002] = Long " + bar2,
                   "DoEvents",
                   std::string("FrmProgShow.Visible -> ") + (was_visible ? "True" : "False"),
                   "FrmProgShow.Show"};
    lines.resize(std::min(steps, was_visible ? std::size_t{8} : lines.size()));
    return lines;
}

Lines run_down() {
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

TEST(TwoBarProgress, EachCallTakesItsStepsInOrder) {
    const Call first{40, 60, u"a", u"b", u"Job"};
    const Call fin{0, 0, u"Fin"};
    const Call fin_both{0, 0, u"Fin", u"", u"", true, true};
    const testing::CallsCase<Call> cases[] = {
        {"an update",
         {{25, 75, u"first", u"second"}},
         joined({Load, update("first", "25", "second", "75")})},
        {"its title",
         {{25, 75, u"a", u"b", u"Mine"}},
         joined({Load, update("a", "25", "b", "75", false, "Mine")})},
        {"halves to even", {{2.5, 3.5}}, joined({Load, update("", "2", "", "4")})},
        {"halves to even below 0", {{-2.5, 0.5000001}}, joined({Load, update("", "-2", "", "1")})},
        {"nothing clamped", {{-1, 250}}, joined({Load, update("", "-1", "", "250")})},
        {"the end word in other letters",
         {{0, 0, u"fin"}},
         joined({Load, update("fin", "0", "", "0")})},
        {"the end word with a value below 0",
         {{0, -1, u"Fin"}},
         joined({Load, update("Fin", "0", "", "-1")})},
        {"the Long range's ends",
         {{2147483647.4, -2147483648.4}},
         joined({Load, update("", "2147483647", "", "-2147483648")})},
        {"a shown window is not shown again",
         {first, {11, 21, u"c", u"d"}},
         update("c", "11", "d", "21", true)},
        {"upper bar past the Long range",
         {{2147483647.5, 0}},
         joined({Load, update("", "", "", "", false, "Procesando ...", 3)}),
         vb::Overflow},
        {"upper bar below it",
         {{-2147483648.6, 0}},
         joined({Load, update("", "", "", "", false, "Procesando ...", 3)}),
         vb::Overflow},
        {"upper bar not a number",
         {{NotANumber, 0, u"Fin"}},
         joined({Load, update("Fin", "", "", "", false, "Procesando ...", 3)}),
         vb::Overflow},
        {"lower bar past the Long range",
         {{0, 2147483648.0}},
         joined({Load, update("", "0", "", "", false, "Procesando ...", 5)}),
         vb::Overflow},
        {"lower bar not a number",
         {{0, NotANumber}},
         joined({Load, update("", "0", "", "", false, "Procesando ...", 5)}),
         vb::Overflow},
        {"Fin", {first, fin}, Reload},
        {"Fin with values above 100", {first, {300, 200, u"Fin", u"x", u"y"}}, Reload},
        {"Fin with the run-down",
         {first, {0, 0, u"Fin", u"", u"", true}},
         joined({run_down(), Reload})},
        {"Fin with the effect",
         {first, {0, 0, u"Fin", u"", u"", false, true}},
         joined({Effect, Reload})},
        {"Fin with both", {first, fin_both}, joined({run_down(), Effect, Reload})},
        {"Fin first", {fin}, Load},
        // Shown with the design caption: the window was loaded afresh.
        {"a run-down after Fin",
         {first, fin, {0, 0, u"Fin", u"", u"", true}},
         joined({run_down(), Reload})},
        {"the update after Fin",
         {first, fin_both, {5, 6, u"c", u"d", u"Job"}},
         update("c", "5", "d", "6", false, "Job")},
        {"a failing effect", {first, fin_both}, joined({run_down(), Effect}), 5},
    };
    testing::expect_calls(cases, make);
}

} // namespace
} // namespace orbek
