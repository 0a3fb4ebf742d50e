#include "automation/text.h"
#include "automation/vb_error.h"
#include "support/error_number.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

using testing::error_number;

TEST(Utf8, ConvertsEveryPlaneAndReplacesWhatIsNotACharacter) {
    const Text text = u"Año 2025 · €5 · \U0001F600 · \uFFFF";
    const std::string utf8 = "A\xC3\xB1o 2025 \xC2\xB7 \xE2\x82\xAC"
                             "5 \xC2\xB7 \xF0\x9F\x98\x80 \xC2\xB7 \xEF\xBF\xBF";
    EXPECT_EQ(to_utf8(text), utf8);
    EXPECT_EQ(from_utf8(utf8), text);
    const std::string Bad = "\xEF\xBF\xBD"; // U+FFFD
    // clang-format off
    const std::pair<Text, std::string> unpaired[] = {
        {Text{u'a', char16_t(0xD800), u'b'}, "a" + Bad + "b"}, {Text{char16_t(0xDC00)}, Bad},
        {Text{char16_t(0xDC00), char16_t(0xD800)}, Bad + Bad},
        {Text{char16_t(0xD83D)}, Bad}}; // a high surrogate at the end
    const std::pair<std::string, Text> invalid[] = {
        {"a\x80" "b", u"a\uFFFDb"}, {"\xC0\xAF", u"\uFFFD\uFFFD"}, // overlong
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},           // overlong, three bytes
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},           // an encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // beyond U+10FFFF
        {"\xE2\x82", u"\uFFFD"},                           // cut short at the end
        {"\xE2\x82z", u"\uFFFDz"},                         // cut short by another character
        {"\xFF", u"\uFFFD"}, {"\xF0\x9F\x98\x80", u"\U0001F600"}};
    // clang-format on
    for (const auto& [units, bytes] : unpaired)
        EXPECT_EQ(to_utf8(units), bytes);
    for (const auto& [bytes, units] : invalid)
        EXPECT_EQ(from_utf8(bytes), units) << bytes;
}

TEST(TextFunctions, TrimRemovesOnlySpaces) {
    // clang-format off
    const std::pair<TextView, TextView> cases[] = {
        {u"  ab c  ", u"ab c"}, {u"\tab\t", u"\tab\t"}, {u" \t ", u"\t"}, {u"    ", u""},
        {u"", u""}};
    // clang-format on
    for (const auto& [text, trimmed] : cases)
        EXPECT_EQ(trim_spaces(text), trimmed) << to_utf8(text);
}

TEST(TextFunctions, LeftAndMid) {
    EXPECT_EQ(left(u"12:30:15", 2), u"12");
    EXPECT_EQ(left(u"12", 8), u"12");
    EXPECT_EQ(left(u"12", 0), u"");

    const std::tuple<long, std::size_t, const char16_t*> cases[] = {
        {1, 2, u"12"}, {4, 2, u"30"}, {7, 2, u"15"}, {7, 5, u"15"},
        {8, 2, u"5"},  {9, 2, u""},   {100, 1, u""}, {4, TextView::npos, u"30:15"},
        {1, 0, u""}};
    for (const auto& [start, count, expected] : cases) {
        SCOPED_TRACE(start);
        EXPECT_EQ(mid(u"12:30:15", start, count), expected);
    }
    EXPECT_EQ(mid(u"", 1), u"");
    for (long start : {0L, -1L, -100L}) { // a start below one is an invalid argument
        EXPECT_EQ(error_number([&] { mid(u"abc", start, 1); }), vb::InvalidProcedureCall);
        EXPECT_EQ(error_number([&] { mid(u"", start); }), vb::InvalidProcedureCall);
    }
}

TEST(TextFunctions, UpperCaseCoversAsciiAndLatin1) {
    // clang-format off
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"abc xyz 019", u"ABC XYZ 019"}, {u"árbol ñandú", u"ÁRBOL ÑANDÚ"},
        {u"àâäçèéêëìíîïðòóôõöøùúûüýþ", u"ÀÂÄÇÈÉÊËÌÍÎÏÐÒÓÔÕÖØÙÚÛÜÝÞ"}, {u"ÿ", u"\u0178"},
        {u"÷ ß µ ª º", u"÷ ß µ ª º"}, // no capital in this range: unchanged
        {u"ABC ÁÑ", u"ABC ÁÑ"}, {u"{|}~`@[", u"{|}~`@["},
        {u"ā œ я", u"ā œ я"}}; // beyond Latin-1: unchanged
    // clang-format on
    for (const auto& [text, upper] : cases)
        EXPECT_EQ(to_upper(text), upper) << to_utf8(text);
}

TEST(TextFunctions, EqualsIgnoringCase) {
    const std::tuple<TextView, TextView, bool> cases[] = {
        {u"True", u"TRUE", true}, {u"true", u"tRUE", true},   {u"año", u"AÑO", true},
        {u"", u"", true},         {u"True", u"True ", false}, {u"True", u"Tru", false},
        {u"a", u"b", false},      {u"[", u"{", false}}; // 0x5B and 0x7B are not a case pair
    for (const auto& [a, b, equal] : cases)
        EXPECT_EQ(equals_ignoring_case(a, b), equal) << to_utf8(a) << " " << to_utf8(b);
}

} // namespace
} // namespace orbek
