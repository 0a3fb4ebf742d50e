#include "automation/vb_error.h"
#include "progress/single_bar_progress.h"
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

Currency money(double value) {
    return Currency::from_double(value);
}

// A call of ProgressBar (Valor of Max), or of STIProgressBar with Valor as its percentage.
struct Call {
    double valor;
    double max = 100;
    bool run_down = false;
    bool effect = false;
    Text text = u"";
    Text title = u"Procesando ...";
    bool sti = false;
    double min = 0;
};

void make(ProgressHost& host, const Call& c) {
    if (c.sti) {
        sti_progress_bar(host.windows, host.services, static_cast<std::int16_t>(c.valor), c.text,
                         c.title, c.run_down, c.effect);
    } else {
        progress_bar(host.windows, host.services, money(c.valor), money(c.min), money(c.max),
                     c.text, c.title, c.run_down, c.effect);
    }
}

const Lines Load = {"Load FrmProgressBar"};
const Lines Hide = {"FrmProgressBar.Hide"};
const Lines Effect = {"CloseEffect 0, 3135, 0, FrmProgressBar"};

Lines update(const std::string& dial, const std::string& bar, const std::string& text = "",
             const std::string& caption = "Procesando ...") {
    return {"FrmProgressBar.Height = 3135",
            "FrmProgressBar.gauge1.[0x68030000] = " + dial,
            "FrmProgressBar.BarraVista1.[0x68030002] = " + bar,
            "FrmProgressBar.Label1.Caption = \"" + text + "\"",
            "FrmProgressBar.Caption = \"" + caption + "\"",
            "DoEvents",
            "FrmProgressBar.Show"};
}

// The text line emptied, the dial at 100, the window shown, the pause before, then 101 steps
// from 100 to 0, each with its pause at `level`.
Lines run_down(const Lines& pause_before, int level) {
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
    // Valor, Max, the percentage.
    const double cases[][3] = {{50, 200, 25},
                               {2, 3, 66.6667},
                               {5, -100, -5},
                               {50.5, 100, 50.5},
                               {300, 200, 150},
                               {9999.9999, 10000, 100},
                               {9999.9949, 10000, 99.9999},
                               {0.0001, 1000000, 0},
                               {1, 0.0001, 1000000}};
    for (const auto& [valor, max, percentage] : cases) {
        EXPECT_EQ(progress_percentage(money(valor), money(max)), money(percentage))
            << valor << " of " << max;
    }
    // An infinite quotient, none at all, a hundred-fold or a quotient past the Currency range.
    const Currency largest = Currency::from_scaled(std::numeric_limits<std::int64_t>::max());
    for (const auto& [valor, max] : {std::pair{money(5), money(0)},
                                     {money(-5), money(0)},
                                     {money(0), money(0)},
                                     {largest, money(1000)},
                                     {money(1e12), money(0.0001)}}) {
        EXPECT_EQ(error_number([&] { progress_percentage(valor, max); }), vb::Overflow)
            << valor.scaled() << " of " << max.scaled();
    }
}

TEST(SingleBarProgress, EachCallTakesItsStepsInOrder) {
    const testing::CallsCase<Call> cases[] = {
        {"an update",
         {{.valor = 50, .max = 200, .text = u"Registro 50"}},
         joined({Load, update("Currency 25", "Long 25", "Registro 50")})},
        {"Min takes no part",
         {{.valor = 50, .max = 200, .title = u"Mine", .min = 40}},
         joined({Load, update("Currency 25", "Long 25", "", "Mine")})},
        {"50.5 to even", {{.valor = 50.5}}, joined({Load, update("Currency 50.5", "Long 50")})},
        {"51.5 to even", {{.valor = 51.5}}, joined({Load, update("Currency 51.5", "Long 52")})},
        {"99.9949", {{.valor = 99.9949}}, joined({Load, update("Currency 99.9949", "Long 100")})},
        {"negative", {{.valor = -5}}, joined({Load, update("Currency -5", "Long -5")})},
        {"flags in an update",
         {{.valor = 10, .run_down = true, .effect = true}},
         joined({Load, update("Currency 10", "Long 10")})},
        {"the next update",
         {{.valor = 10}, {.valor = 20, .text = u"b"}},
         update("Currency 20", "Long 20", "b")},
        {"finish", {{.valor = 10}, {.valor = 100}}, Hide},
        {"above Max", {{.valor = 10}, {.valor = 250}}, Hide},
        {"rounded up to 100", {{.valor = 10}, {.valor = 9999.9999, .max = 10000}}, Hide},
        {"run-down",
         {{.valor = 10}, {.valor = 100, .run_down = true}},
         joined({run_down({}, 5), Hide})},
        {"effect", {{.valor = 10}, {.valor = 100, .effect = true}}, joined({Effect, Hide})},
        {"both",
         {{.valor = 10}, {.valor = 100, .run_down = true, .effect = true}},
         joined({run_down({}, 5), Effect, Hide})},
        {"finish first", {{.valor = 100}}, joined({Load, Hide})},
        // Shown with the design caption, which nothing has replaced.
        {"run-down first",
         {{.valor = 100, .run_down = true}},
         joined({Load, run_down({}, 5), Hide})},
        {"after the effect",
         {{.valor = 10, .text = u"a", .title = u"Job"},
          {.valor = 100, .effect = true},
          {.valor = 1}},
         update("Currency 1", "Long 1")},
        {"Max 0", {{.valor = 5, .max = 0}}, {}, vb::Overflow},
        // The dial takes the percentage; the bar cannot.
        {"past the Long range",
         {{.valor = -1e9, .max = 1}},
         joined({Load,
                 {"FrmProgressBar.Height = 3135",
                  "FrmProgressBar.gauge1.[0x68030000] = Currency -100000000000"}}),
         vb::Overflow},
        {"a failing effect", {{.valor = 10}, {.valor = 100, .effect = true}}, Effect, 91},
        {"STI 99", {{.valor = 99, .sti = true}}, joined({Load, update("Integer 99", "Long 99")})},
        {"STI -5", {{.valor = -5, .sti = true}}, joined({Load, update("Integer -5", "Long -5")})},
        {"STI 100", {{.valor = 100, .sti = true}}, joined({Load, Hide})},
        {"STI 32767", {{.valor = 32767, .sti = true}}, joined({Load, Hide})},
        {"STI both",
         {{.valor = 40, .sti = true},
          {.valor = 100, .run_down = true, .effect = true, .sti = true}},
         joined({run_down({"Delay 5"}, 1), Effect, Hide})},
    };
    testing::expect_calls(cases, make);
}

} // namespace
} // namespace orbek
