#include "companion/companion_test.h"

namespace orbek {
namespace {

using testing::error_number;

TEST_F(Companion, PadTextAlignsToTheWidth) {
    const Variant zero = Variant::missing(), star = Variant(Text(u"*"));
    // clang-format off
    const std::tuple<Text, std::int16_t, Variant, Text, int> cases[] = {
        {u"7", 2, zero, u"07", 0}, {u"12", 2, zero, u"12", 0}, {u"1999", 4, zero, u"1999", 0},
        {u"", 2, zero, u"00", 0}, {u"", 1, zero, u"0", 0},
        {u"100", 2, zero, u"100", 0}, // longer texts come back as they are
        {u"-5", 4, zero, u"-005", 0}, // the sign stays in front of the zeros
        {u"-1", 2, zero, u"-1", 0}, {u"-30", 2, zero, u"-30", 0}, {u"7", 0, zero, u"7", 0},
        {u"7", -3, zero, u"7", 0}, {u"7", 3, star, u"**7", 0},
        {u"-5", 4, Variant(Text(u" ")), u"  -5", 0}, // other fills only align
        {u"7", 3, Variant(Text(u"xy")), u"xx7", 0}, // the first character of the fill
        {u"7", 3, Variant(std::int32_t{9}), u"997", 0},
        {u"7", 2, Variant(Text(u"0")), u"07", 0},
        // A fill without a character fails.
        {u"7", 2, Variant(Text()), u"", vb::InvalidProcedureCall},
        {u"7", 2, Variant(), u"", vb::InvalidProcedureCall},
        {u"7", 2, Variant::null(), u"", vb::InvalidUseOfNull}};
    // clang-format on
    for (const auto& [given, width, fill, expected, error] : cases) {
        Text text = given, padded;
        EXPECT_EQ(error_number([&] { padded = tools.PadText(text, width, fill); }), error);
        EXPECT_EQ(padded, expected) << to_utf8(given);
        EXPECT_EQ(text, given) << "the caller's text is not changed";
    }
}

TEST_F(Companion, DaysInMonthOfGregorianMonthsWithinLimits) {
    const std::tuple<std::int16_t, std::int16_t, int> cases[] = {
        {1, 2026, 31},  {2, 2026, 28},  {2, 2024, 29},  {2, 2000, 29}, {2, 1900, 28},
        {4, 2026, 30},  {12, 9999, 31}, {2, 100, 28},   {0, 2026, -5}, {13, 2026, -5},
        {-1, 2026, -5}, {2, 99, -5},    {2, 10000, -5}, {2, -2024, -5}};
    for (const auto& [month, year, days_or_error] : cases) {
        int days = 0;
        const int error = error_number([&] { days = tools.DaysInMonth(month, year); });
        EXPECT_EQ(error ? -error : days, days_or_error) << month << "/" << year;
    }
}

TEST_F(Companion, ToBitTextGivesTheBinaryDigitsOfTheNumber) {
    // clang-format off
    const std::tuple<Text, Text, int> cases[] = {
        {u"0", u"0000000000000000", 0}, {u"1", u"0000000000000001", 0},
        {u"5", u"0000000000000101", 0}, {u"32768", u"1000000000000000", 0},
        {u"65535", u"1111111111111111", 0}, {u"65536", u"10000000000000000", 0},
        {u"2147483647", u"1111111111111111111111111111111", 0},
        {u"-1", u"11111111111111111111111111111111", 0},
        {u"-2", u"11111111111111111111111111111110", 0},
        {u"-2147483648", u"10000000000000000000000000000000", 0},
        {u" 2.5 ", u"0000000000000010", 0}, // halves go to the even neighbour
        {u"3.5", u"0000000000000100", 0}, {u"&HFF", u"0000000011111111", 0},
        {u"", u"", vb::TypeMismatch}, {u"1x", u"", vb::TypeMismatch},
        {u"2147483648", u"", vb::Overflow}, {u"-2147483649", u"", vb::Overflow}};
    // clang-format on
    for (const auto& [number, digits, error] : cases) {
        Text bits;
        EXPECT_EQ(error_number([&] { bits = tools.ToBitText(number); }), error) << to_utf8(number);
        EXPECT_EQ(bits, digits) << to_utf8(number);
    }
}

TEST_F(Companion, WindowEffectsGoToTheWindowLayer) {
    std::int32_t start = 7, height = 3135;
    tools.CloseEffect(start, height, 2, Variant(Text(u"FrmProgressBar")));
    Variant show(true);
    bool wait = true;
    tools.ShowSystemInfo(show, wait);
    ASSERT_EQ(windows.calls().size(), 2u);
    EXPECT_EQ(windows.calls()[0].kind, WindowLayerCall::Kind::CloseEffect);
    EXPECT_EQ(windows.calls()[0].window, Variant(Text(u"FrmProgressBar")));
    EXPECT_EQ(windows.calls()[0].start, 7);
    EXPECT_EQ(windows.calls()[0].height, 3135);
    EXPECT_EQ(windows.calls()[0].style, 2);
    EXPECT_EQ(windows.calls()[1].kind, WindowLayerCall::Kind::ShowSystemInfo);
}

} // namespace
} // namespace orbek
