#include "automation/conversions.h"
#include "automation/vb_error.h"
#include "support/error_number.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

using testing::error_number;

TEST(ParseNumberText, AcceptedRejectedAndTooLargeTexts) {
    // clang-format off
    const std::pair<const char16_t*, double> accepted[] = {
        {u"0", 0.0}, {u"42", 42.0}, {u"-42", -42.0}, {u"+42", 42.0}, {u"  42\t", 42.0},
        {u"\t -8.5 ", -8.5}, {u"3.", 3.0}, {u".5", 0.5}, {u"-.5", -0.5}, {u"007", 7.0},
        {u"0.1", 0.1}, {u"1E3", 1000.0}, {u"1e3", 1000.0}, {u"1D3", 1000.0}, {u"1d-3", 0.001},
        {u"2.5E+2", 250.0}, {u"1E-400", 0.0}, // too small for a double: zero
        {u"123456789012345678901234567890", 1.2345678901234568e29},
        {u"0.000000000000000000000000000001", 1e-30},
        {u"1.7976931348623157E308", 1.7976931348623157e308}, {u"&H10", 16.0}, {u"&h1f", 31.0},
        {u"&H7FFF", 32767.0}, {u"&H8000", -32768.0}, {u"&HFFFF", -1.0},
        {u"&H0000FFFF", -1.0}, // the value decides the width, not the digits
        {u"&H10000", 65536.0}, {u"&H7FFFFFFF", 2147483647.0}, {u"&H80000000", -2147483648.0},
        {u"&HFFFFFFFF", -1.0}, {u"&O17", 15.0}, {u"&o177777", -1.0}, {u" &H10 ", 16.0}};
    const char16_t* rejected[] = {
        u"", u"   ", u"abc", u"True", u"False", u"1,000", u"$5", u"5$", u"1.2.3", u".", u"-",
        u"+-1", u"--1", u"1E", u"1E+", u"E5", u"1 2", u"- 3", u"12abc", u"1:30", u"&H", u"&HG",
        u"&O8", u"&B101", u"-&H10", u"&H 10", u"1\n", u"\n1", u"0x10", u"1e5e5", u"\uFF11", u"٣"};
    // clang-format on
    for (const auto& [text, value] : accepted)
        EXPECT_EQ(parse_number_text(text), std::optional<double>(value)) << to_utf8(text);
    for (const char16_t* text : rejected)
        EXPECT_FALSE(parse_number_text(text).has_value()) << to_utf8(text);
    for (const char16_t* text :
         {u"1E309", u"-1E400", u"9E999999999999999999", u"&H100000000", u"&O40000000000"})
        EXPECT_EQ(error_number([&] { parse_number_text(text); }), vb::Overflow) << to_utf8(text);
}

TEST(LeadingNumber, ReadsTheNumberATextStartsWith) {
    // clang-format off
    const std::pair<const char16_t*, double> cases[] = {
        {u"", 0.0}, {u"05", 5.0}, {u"1:", 1.0}, {u":3", 0.0}, {u"12abc", 12.0}, {u"1 2", 12.0},
        {u" - 3", -3.0}, {u"\t\r\n7", 7.0}, {u"+5", 5.0}, {u"--1", 0.0}, {u"-", 0.0}, {u".", 0.0},
        {u".5", 0.5}, {u"-.5", -0.5}, {u"1.2.3", 1.2}, {u"1E", 1.0}, {u"1E+", 1.0}, {u"1e2", 100.0},
        {u"1 E 2", 100.0}, {u"1D-2x", 0.01}, {u"2.5E+1:", 25.0}, {u"&H10", 0.0}, // decimal only
        {u"abc", 0.0}, {u"1,5", 1.0}, {u"30", 30.0}, {u"0:", 0.0}, {u"1E-999", 0.0}};
    // clang-format on
    for (const auto& [text, value] : cases)
        EXPECT_EQ(leading_number(text), value) << to_utf8(text);
    EXPECT_EQ(error_number([] { leading_number(u"9E999"); }), vb::Overflow);
    EXPECT_EQ(error_number([] { leading_number(u"-1E309 abc"); }), vb::Overflow);
}

} // namespace
} // namespace orbek
