#include "automation/conversions.h"
#include "support/error_number.h"
#include "support/recording_sys_tools.h"
#include "timecalc/time_text.h"

#include <gtest/gtest.h>
#include <limits>

namespace orbek {
namespace {

using testing::error_number;
using testing::RecordingSysTools;
using Calls = std::vector<std::string>;

TEST(TimeTextToSeconds, ReadsFixedPositions) {
    constexpr int Mismatch = vb::TypeMismatch;
    // clang-format off
    const std::tuple<Variant, std::int32_t, int> cases[] = {
        {Text(u"01:30:15"), 5415, 0}, {Text(u""), 0, 0}, {Text(u"     "), 0, 0},
        {Text(u"  01:30:15  "), 5415, 0},
        {Text(u"1:30"), 3630, 0},       // hours "1:", minutes "0", seconds "30"
        {Text(u"123:45:00"), 43200, 0}, // cut to "123:45:0"
        {Text(u"5"), 18005, 0},         // the one character is hours and seconds
        {Text(u"08:30"), 30630, 0},     // the short form's minutes count as seconds too
        {Text(u"-1:00:00"), -3600, 0}, {Text(u"ab:cd:ef"), 0, 0},
        {Text(u" 1: 3: 5"), 3785, 0}, // blanks inside a piece are passed over
        {Text(u"99:99:99"), 99 * 3600 + 99 * 60 + 99, 0},
        {Text(u"00:00:.5"), 0, 0}, // half a second rounds to the even 0
        {Text(u"00:01.5"), 60, 0}, // 60.5 seconds: halves go to the even second
        {Variant(std::int32_t{5}), 18005, 0},
        {Variant(1.5), 3600, 0}, // "1.5": hours "1.", seconds ".5" → 3600.5 → 3600
        {Variant::date(0.5), 43200, 0}, // a time of day alone reads as "12:00:00"
        {Variant::date(46361.0), 18740, 0}, // "05/12/2026" cut to "05/12/20"
        {Variant(), 0, 0}, {Variant::null(), 0, vb::InvalidUseOfNull}, // values without a text:
        {Variant::missing(), 0, Mismatch}, {Variant(Variant::ErrorValue{2007}), 0, Mismatch},
        {Variant(Variant::ObjectRef()), 0, Mismatch}};
    // clang-format on
    for (const auto& [time, seconds, error] : cases) {
        std::int32_t read = 0;
        EXPECT_EQ(error_number([&] { read = time_text_to_seconds(time); }), error);
        EXPECT_EQ(read, seconds) << (time.holds<Text>() ? to_utf8(time.as<Text>()) : "");
    }
}

TEST(SecondsToTimeText, PiecesThroughTheCompanion) {
    // clang-format off
    const std::pair<std::int32_t, Text> cases[] = {
        {5415, u"01:30:15"}, {0, u"00:00:00"}, {59, u"00:00:59"}, {3600, u"01:00:00"},
        {86399, u"23:59:59"}, {90000, u"25:00:00"}, {360000, u"100:00:00"}, {-30, u"-1:-1:-30"},
        {-5400, u"-2:-30:00"}, {-3600, u"-1:00:00"}, {-3601, u"-2:-1:-1"},
        {std::numeric_limits<std::int32_t>::max(), u"596523:14:07"},
        {std::numeric_limits<std::int32_t>::min(), u"-596524:-15:-8"}};
    // clang-format on
    RecordingSysTools tools;
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(seconds_to_time_text(seconds, tools), text) << seconds;
    RecordingSysTools in_order;
    EXPECT_EQ(seconds_to_time_text(3725, in_order), u"01:02:05");
    EXPECT_EQ(in_order.calls, (Calls{"PadText 1 2", "PadText 2 2", "PadText 5 2"}));
    for (std::size_t failing = 0; failing < 3; ++failing) {
        RecordingSysTools tools;
        tools.fail_call(failing, vb::ObjectNotSet);
        EXPECT_EQ(error_number([&] { seconds_to_time_text(5415, tools); }), vb::ObjectNotSet);
        EXPECT_EQ(tools.calls.size(), failing + 1) << "no pad after the failing one";
    }
}

TEST(FillHours, HoursAndMinutesFromTheEndsAndFailures) {
    // clang-format off
    const std::tuple<Text, Text, Text> cases[] = {
        {u"", u"00:00", u"00:00"}, // the caller's empty text is filled in
        {u"930", u"09:30", u"930"}, {u"12:30", u"12:30", u"12:30"}, {u"12", u"00:12", u"12"},
        {u"9:5", u"09:00", u"9:5"}, // the last two characters ":5" read as 0
        {u"123:45", u"123:45", u"123:45"}, {u"1.530", u"1.5:30", u"1.530"},
        {u"-130", u"-1:30", u"-130"}, {u"ab", u"00:00", u"ab"}};
    // clang-format on
    RecordingSysTools tools;
    for (const auto& [given, result, afterwards] : cases) {
        Text hours = given;
        EXPECT_EQ(fill_hours(hours, tools), result) << to_utf8(given);
        EXPECT_EQ(hours, afterwards) << to_utf8(given);
    }
    RecordingSysTools in_order;
    Text hours = u"930";
    EXPECT_EQ(fill_hours(hours, in_order), u"09:30");
    EXPECT_EQ(in_order.calls, (Calls{"PadText 9 2", "PadText 30 2"}));
    // Failures, and what the caller's text holds afterwards.
    const std::tuple<Text, std::optional<std::size_t>, Text, std::size_t> failures[] = {
        {u"7", std::nullopt, u"7", 0}, // one character: fails before any padding
        {u"", 0, u"00:00", 1},         // the filled-in text stays when padding fails
        {u"", 1, u"00:00", 2},
        {u"930", 1, u"930", 2}};
    for (const auto& [given, failing_pad, afterwards, pads] : failures) {
        RecordingSysTools tools;
        const int number = failing_pad ? vb::Overflow : vb::InvalidProcedureCall;
        if (failing_pad)
            tools.fail_call(*failing_pad, number);
        Text hours = given;
        EXPECT_EQ(error_number([&] { fill_hours(hours, tools); }), number) << to_utf8(given);
        EXPECT_EQ(hours, afterwards);
        EXPECT_EQ(tools.calls.size(), pads);
    }
}

TEST(DecimalHours, HundredthsOfAnHourCut) {
    // clang-format off
    const std::pair<Text, std::int64_t> cases[] = {
        // scaled by 10,000
        {u"08:30", 85000}, {u"08:20", 83300}, {u"08:59", 89800}, {u"08:01", 80100},
        {u"08:00", 80000}, {u"23:59", 239800}, {u" 08:30 ", 85000}, {u"9:30", 90000},
        {u"0:03", 500}, {u"abc", 0}, {u"", 0}, {u"24:00", 0}, {u"08:60", 0},
        {u"05/12/2026", 52000}};
    // clang-format on
    for (const auto& [time, scaled] : cases)
        EXPECT_EQ(decimal_hours(time).scaled(), scaled) << to_utf8(time);
}

// Every piece of up to two characters a time text can hold: the shortcuts change nothing.
TEST(TimeTextToSeconds, ShortcutsAgreeWithTheLiteralAlgorithmOnEveryShortPiece) {
    const Text alphabet = u"0123456789.+-EeDd \t\r\n:/aH&\u00a0\uff10";
    std::vector<Text> pieces{Text()};
    for (char16_t first : alphabet) {
        pieces.push_back(Text(1, first));
        for (char16_t second : alphabet)
            pieces.push_back(Text{first, second});
    }
    for (const Text& piece : pieces) {
        const double literal = leading_number(piece);
        EXPECT_EQ(piece_number(piece), literal) << to_utf8(piece);
        EXPECT_EQ(through_decimal_text(literal), literal) << to_utf8(piece);
    }
}

} // namespace
} // namespace orbek
