#include "automation/date_text.h"
#include "automation/ole_date.h"
#include "automation/vb_error.h"
#include "support/error_number.h"

#include <gtest/gtest.h>
#include <random>

namespace orbek {
namespace {

using testing::error_number;

double serial_of(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return *ole_date_from_parts(DateParts{year, month, day, hour, minute, second});
}

TEST(DateText, AcceptedTextsAndTheirSerials) {
    // clang-format off
    const std::pair<const char16_t*, double> cases[] = {
        {u"10/03/2025", serial_of(2025, 3, 10)}, {u"1/3/2025", serial_of(2025, 3, 1)},
        {u"01/3/2025", serial_of(2025, 3, 1)}, {u"29/02/2024", serial_of(2024, 2, 29)},
        {u"31/12/9999", serial_of(9999, 12, 31)}, {u"01/01/0100", serial_of(100, 1, 1)},
        {u"30/12/1899", 0.0}, {u"5/6/07", serial_of(2007, 6, 5)},
        {u"5/6/00", serial_of(2000, 6, 5)}, {u"5/6/29", serial_of(2029, 6, 5)},
        {u"5/6/30", serial_of(1930, 6, 5)}, {u"5/6/99", serial_of(1999, 6, 5)},
        {u"10-03-2025", serial_of(2025, 3, 10)}, {u"1-3-2025", serial_of(2025, 3, 1)},
        {u"2025-03-10", serial_of(2025, 3, 10)}, {u"0:00", 0.0}, {u"9:30", 9.5 / 24},
        {u"09:30", 9.5 / 24}, {u"23:59", serial_of(1899, 12, 30, 23, 59)},
        {u"23:59:59", serial_of(1899, 12, 30, 23, 59, 59)},
        {u"8:05:09", serial_of(1899, 12, 30, 8, 5, 9)},
        {u"10/03/2025 14:30", serial_of(2025, 3, 10, 14, 30)},
        {u"10/03/2025   14:30:15", serial_of(2025, 3, 10, 14, 30, 15)},
        {u"2025-03-10 7:00", serial_of(2025, 3, 10, 7)}, {u"29/12/1899 06:00", -1.25},
        {u"  10/03/2025  ", serial_of(2025, 3, 10)}, {u"\t9:30 ", 9.5 / 24}};
    // clang-format on
    for (const auto& [text, serial] : cases) {
        std::optional<double> parsed = parse_date_text(text);
        ASSERT_TRUE(parsed.has_value()) << to_utf8(text);
        EXPECT_NEAR(*parsed, serial, 1e-9) << to_utf8(text);
    }
}

TEST(DateText, RejectedTexts) {
    const char16_t* rejected[] = {
        u"", u"   ", u"abc", u"  /  /    ", // the empty masked date box
        u"31/04/2025", u"29/02/2023", u"32/01/2025", u"00/01/2025", u"10/13/2025", u"10/00/2025",
        // a year has two or four digits
        u"1/2", u"10/03", u"10/03/", u"10/03/202", u"10/03/20255", u"01/01/0099", u"1/1/100",
        u"001/01/2025", u"1/001/2025", u"10/03-2025", u"10.03.2025", u"10-03-25", u"2025-3-10",
        u"2025/03/10", u"24:00", u"9:5", u"9:60", u"9:30:60", u"9:30:5", u"123:00", u"9:", u":30",
        u"9:30:00:00", u"10/03/2025 24:00", u"10/03/2025 abc", u"10/03/2025 14:30 x",
        u"10/03/2025T14:30", u"14:30 10/03/2025", u"+10/03/2025", u"10 /03/2025", u"45000",
        u"1/2/2025x", u"\uFF11/2/2025", // a full-width digit
    };
    for (const char16_t* text : rejected)
        EXPECT_FALSE(parse_date_text(text).has_value()) << to_utf8(text);
}

TEST(DateText, Formats) {
    const std::tuple<double, const char*, const char*, const char*> cases[] = {
        {serial_of(2025, 3, 10), "10/03/2025", "00:00:00", "10/03/2025"},
        {serial_of(2025, 3, 10, 14, 30, 5), "10/03/2025", "14:30:05", "10/03/2025 14:30:05"},
        {0.0, "30/12/1899", "00:00:00", "00:00:00"},
        {0.75, "30/12/1899", "18:00:00", "18:00:00"},
        {-0.75, "30/12/1899", "18:00:00", "18:00:00"},
        {-1.25, "29/12/1899", "06:00:00", "29/12/1899 06:00:00"},
        {serial_of(100, 1, 1), "01/01/0100", "00:00:00", "01/01/0100"},
        {MaxOleDate, "31/12/9999", "23:59:59", "31/12/9999 23:59:59"}};
    for (const auto& [serial, short_date, time, value] : cases) {
        SCOPED_TRACE(serial);
        EXPECT_EQ(to_utf8(format_short_date(serial)), short_date);
        EXPECT_EQ(to_utf8(format_time(serial)), time);
        EXPECT_EQ(to_utf8(format_date_value(serial)), value);
        EXPECT_EQ(to_utf8(format_date_and_time(serial)), std::string(short_date) + " " + time);
        Text line = u"at ";
        append_date_and_time(line, serial);
        EXPECT_EQ(to_utf8(line), std::string("at ") + short_date + " " + time);
    }
    EXPECT_EQ(error_number([] { format_date_value(3e6); }), vb::InvalidProcedureCall);
}

TEST(DateText, FormattedDatesParseBackToTheSameDate) {
    std::mt19937 generator(20250310);
    std::uniform_int_distribution<int> days(-657434, 2958465);
    std::uniform_int_distribution<int> seconds(0, 86399);
    for (int i = 0; i < 20000; ++i) {
        // Every form of the text: date and time, date alone, time alone.
        int day = i % 10 == 0 ? 0 : days(generator);
        double time = i % 4 == 0 ? 0.0 : seconds(generator) / 86400.0;
        double serial = day < 0 ? day - time : day + time;
        Text text = format_date_value(serial);
        std::optional<double> parsed = parse_date_text(text);
        ASSERT_TRUE(parsed.has_value()) << to_utf8(text);
        ASSERT_EQ(parts_from_ole_date(*parsed), parts_from_ole_date(serial)) << to_utf8(text);
        ASSERT_NEAR(*parsed, serial, 0.5 / 86400) << to_utf8(text);

        std::optional<double> date_only = parse_date_text(format_short_date(day));
        ASSERT_TRUE(date_only.has_value());
        ASSERT_EQ(*date_only, day);
    }
}

} // namespace
} // namespace orbek
