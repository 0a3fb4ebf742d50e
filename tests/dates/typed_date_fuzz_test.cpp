// Whatever a user types into a date box, the date services answer in one of their ways and
// never crash. Runs in every build, the sanitizer build included; ORBEK_FUZZ_ROUNDS asks for
// a longer run.
#include "automation/date_text.h"
#include "date_test_doubles.h"
#include "dates/cut_day_date.h"
#include "dates/form_date.h"
#include "platform/posix/in_memory_objects.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

namespace orbek {
namespace {

using testing::FixedClock;
using testing::RecordingMessageBox;
using testing::RecordingSysTools;

// Characters that mean something to one reader or another, and some that mean nothing.
constexpr char16_t Interesting[] = u"0123456789/-+. \t\r\n:eEdD&hHoOxX,a\u00f1\u00a0\u3000";

class TypedTexts {
  public:
    explicit TypedTexts(unsigned seed) : random_(seed) {}

    Text next() {
        switch (pick(5)) {
        case 0:
            return from_alphabet(pick(24));
        case 1:
            return mutated(date_shaped());
        case 2:
            return mutated(u"  /  /    ");
        case 3:
            return date_shaped();
        default:
            return any_units(pick(8) == 0 ? pick(400) : pick(16));
        }
    }

  private:
    std::size_t pick(std::size_t count) { return random_() % count; }

    char16_t interesting() { return Interesting[pick(std::size(Interesting) - 1)]; }

    Text from_alphabet(std::size_t length) {
        Text text;
        for (std::size_t i = 0; i < length; ++i) {
            text += interesting();
        }
        return text;
    }

    // Two-digit day and month, four-digit year, around and beyond their ranges.
    Text date_shaped() {
        const auto digits = [](int number, std::size_t width) {
            const std::string text = std::to_string(number);
            return from_utf8(std::string(width - std::min(width, text.size()), '0') + text);
        };
        return digits(static_cast<int>(pick(40)), 2) + u"/" +
               digits(static_cast<int>(pick(15)), 2) + u"/" +
               digits(1900 + static_cast<int>(pick(160)), 4);
    }

    // Any code units at all: NUL, lone surrogates, the private use area.
    Text any_units(std::size_t length) {
        Text text;
        for (std::size_t i = 0; i < length; ++i) {
            text += static_cast<char16_t>(random_() & 0xFFFF);
        }
        return text;
    }

    Text mutated(Text text) {
        const std::size_t edits = 1 + pick(3);
        for (std::size_t i = 0; i < edits; ++i) {
            const std::size_t at = pick(text.size() + 1);
            switch (pick(3)) {
            case 0:
                text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), interesting());
                break;
            case 1:
                if (at < text.size()) {
                    text.erase(at, 1);
                }
                break;
            default:
                if (at < text.size()) {
                    text[at] = interesting();
                }
                break;
            }
        }
        return text;
    }

    std::mt19937 random_;
};

int rounds() {
    const char* asked = std::getenv("ORBEK_FUZZ_ROUNDS");
    return asked != nullptr ? std::atoi(asked) : 50000;
}

bool is_accepted_date(const Text& text) {
    const std::optional<double> date = parse_date_text(text);
    if (text.size() != 10 || !date) {
        return false;
    }
    const int year = parts_from_ole_date(*date).year;
    return year >= 1930 && year <= 2029;
}

TEST(TypedDateFuzz, EveryTextIsAcceptedRejectedOrNotANumber) {
    const FixedClock today({2024, 2, 20, 13, 45, 10});
    const Text head = u"Atención Sr. Usuario:\r\n\r\n\r\nUd. capturó incorrectamente está fecha: ";
    TypedTexts texts(20240220);
    int outcomes[3] = {};
    for (int round = 0; round < rounds(); ++round) {
        const Text typed = texts.next();
        SCOPED_TRACE(to_utf8(typed));
        InMemoryForm form(u"txtFec1,OTHER");
        RecordingSysTools tools;
        RecordingMessageBox box;
        Text prefix = u" txtFec ";
        int error = 0;
        bool rejected = false;
        try {
            rejected = check_form_date(typed, prefix, form.object(), tools, box);
        } catch (const VbError& failure) {
            error = failure.number();
        }
        const Variant written = form.controls()[0]->get_property(u"Text");
        EXPECT_EQ(form.controls()[1]->get_property(u"Text"), Variant(Text()));
        if (error != 0) {
            EXPECT_TRUE(error == vb::TypeMismatch || error == vb::Overflow) << error;
            EXPECT_TRUE(box.shown.empty());
            EXPECT_EQ(written, Variant(Text()));
            ++outcomes[0];
        } else if (rejected) {
            ASSERT_EQ(box.shown.size(), 1u);
            EXPECT_EQ(box.shown[0].message.substr(0, head.size() + typed.size()), head + typed);
            EXPECT_EQ(written, Variant(Text()));
            ++outcomes[1];
        } else {
            EXPECT_TRUE(box.shown.empty());
            EXPECT_TRUE(is_accepted_date(written.as<Text>())) << to_utf8(written.as<Text>());
            ++outcomes[2];
        }

        Text date = typed;
        const Text cut = cut_day_date(round % 2 == 0, date, today, tools);
        EXPECT_TRUE(parse_date_text(cut) && cut.size() == 10) << to_utf8(cut);
        EXPECT_TRUE(date == typed || date == u"20/02/2024");
    }
    // The texts reach every outcome, so none of the three goes untried.
    EXPECT_GT(outcomes[0], rounds() / 20);
    EXPECT_GT(outcomes[1], rounds() / 20);
    EXPECT_GT(outcomes[2], rounds() / 20);
}

} // namespace
} // namespace orbek
