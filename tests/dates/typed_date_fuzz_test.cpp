// Whatever a user types into a date box, the date services answer in one of their ways and
// never crash. Runs in every build, the sanitizer build included; ORBEK_FUZZ_ROUNDS asks for
// a longer run.
#include "automation/date_text.h"
#include "automation/ole_date.h"
#include "dates/cut_day_date.h"
#include "dates/form_date.h"
#include "platform/posix/in_memory_objects.h"
#include "support/recording_sys_tools.h"
#include "support/thread_host.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

namespace orbek {
namespace {

// Characters that mean something to one reader or another, and some that mean nothing.
constexpr char16_t Interesting[] = u"0123456789/-+. \t:eEdD&hHoOxX,a\u00f1\u00a0\u3000";

// Typed texts: date-shaped ones (around and beyond the ranges) or the empty mask with a few
// characters changed, runs of interesting characters, and any code units at all.
Text typed_text(std::mt19937& random) {
    const auto pick = [&](std::size_t count) { return random() % count; };
    const auto interesting = [&] { return Interesting[pick(std::size(Interesting) - 1)]; };
    Text text;
    switch (pick(4)) {
    case 0:
    case 1:
        text = pick(4) == 0 ? Text(u"  /  /    ")
                            : from_utf8(std::to_string(100 + pick(32)).substr(1) + "/" +
                                        std::to_string(100 + pick(14)).substr(1) + "/" +
                                        std::to_string(1920 + pick(120)));
        for (std::size_t edits = pick(3); edits > 0; --edits) { // 10 characters, 7 at least
            const std::size_t at = pick(text.size());
            const std::size_t edit = pick(3);
            edit == 0   ? void(text.insert(at, 1, interesting()))
            : edit == 1 ? void(text.erase(at, 1))
                        : void(text[at] = interesting());
        }
        return text;
    case 2:
        for (std::size_t length = pick(24); length > 0; --length) {
            text += interesting();
        }
        return text;
    default:
        for (std::size_t length = pick(16); length > 0; --length) {
            text += static_cast<char16_t>(random() & 0xFFFF);
        }
        return text;
    }
}

TEST(TypedDateFuzz, EveryTextIsAcceptedRejectedOrNotANumber) {
    const char* asked = std::getenv("ORBEK_FUZZ_ROUNDS");
    const int rounds = asked != nullptr ? std::atoi(asked) : 30000;
    const testing::RecordingClock today; // 05/12/2026
    std::mt19937 random(20240220);
    int outcomes[3] = {};
    for (int round = 0; round < rounds; ++round) {
        const Text typed = typed_text(random);
        SCOPED_TRACE(to_utf8(typed));
        InMemoryForm form(u"txtFec1,OTHER");
        testing::RecordingSysTools tools;
        testing::RecordingMessageBox box;
        Text prefix = u" txtFec ";
        int error = 0;
        bool rejected = false;
        try {
            rejected = check_form_date(typed, prefix, form.object(), tools, box);
        } catch (const VbError& failure) {
            error = failure.number();
        }
        const Text written = form.controls()[0]->get_property(u"Text").as<Text>();
        EXPECT_EQ(form.controls()[1]->get_property(u"Text"), Variant(Text()));
        if (error != 0 || rejected) {
            EXPECT_TRUE(error == 0 || error == vb::TypeMismatch || error == vb::Overflow) << error;
            EXPECT_EQ(box.shown.size(), rejected ? 1u : 0u);
            EXPECT_EQ(written, u"");
        } else {
            const std::optional<double> date = parse_date_text(written);
            const int year = date ? parts_from_ole_date(*date).year : 0;
            EXPECT_TRUE(written.size() == 10 && year >= 1930 && year <= 2029) << to_utf8(written);
            EXPECT_TRUE(box.shown.empty());
        }
        ++outcomes[error != 0 ? 0 : rejected ? 1 : 2];

        Text date = typed;
        const Text cut = cut_day_date(round % 2 == 0, date, today, tools);
        EXPECT_TRUE(parse_date_text(cut) && cut.size() == 10) << to_utf8(cut);
        EXPECT_TRUE(date == typed || date == u"05/12/2026");
    }
    // The texts reach every outcome, so none of the three goes untried.
    for (const int count : outcomes) {
        EXPECT_GT(count, rounds / 20);
    }
}

} // namespace
} // namespace orbek
