#include "automation/text.h"
#include "automation/vb_error.h"
#include "support/error_number.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

using testing::error_number;

TEST(Utf8, RoundTripsEveryPlane) {
    const Text text = u"Año 2025 · €5 · \U0001F600 · \uFFFF";
    std::string utf8 = to_utf8(text);
    EXPECT_EQ(utf8, "A\xC3\xB1o 2025 \xC2\xB7 \xE2\x82\xAC"
                    "5 \xC2\xB7 \xF0\x9F\x98\x80 \xC2\xB7 \xEF\xBF\xBF");
    EXPECT_EQ(from_utf8(utf8), text);
}

TEST(Utf8, UnpairedSurrogatesBecomeReplacementCharacters) {
    struct Case {
        Text text;
        const char* utf8;
    };
    const Case cases[] = {
        {Text{u'a', char16_t(0xD800), u'b'}, "a\xEF\xBF\xBD"
                                             "b"},
        {Text{char16_t(0xDC00)}, "\xEF\xBF\xBD"},
        {Text{char16_t(0xDC00), char16_t(0xD800)}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {Text{char16_t(0xD83D)}, "\xEF\xBF\xBD"}, // high surrogate at the end
    };
    for (const Case& c : cases)
        EXPECT_EQ(to_utf8(c.text), c.utf8);
}

TEST(Utf8, InvalidSequencesBecomeReplacementCharacters) {
    struct Case {
        std::string utf8;
        Text text;
    };
    const Case cases[] = {
        {"a\x80"
         "b",
         u"a\uFFFDb"},
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                     // overlong
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},           // overlong, three bytes
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},           // an encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // beyond U+10FFFF
        {"\xE2\x82", u"\uFFFD"},                           // cut short at the end
        {"\xE2\x82z", u"\uFFFDz"},                         // cut short by another character
        {"\xFF", u"\uFFFD"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(from_utf8(c.utf8), c.text);
    }
}

TEST(TextFunctions, TrimRemovesOnlySpaces) {
    EXPECT_EQ(trim_spaces(u"  ab c  "), u"ab c");
    EXPECT_EQ(trim_spaces(u"\tab\t"), u"\tab\t");
    EXPECT_EQ(trim_spaces(u" \t "), u"\t");
    EXPECT_EQ(trim_spaces(u"    "), u"");
    EXPECT_EQ(trim_spaces(u""), u"");
}

TEST(TextFunctions, LeftAndMid) {
    EXPECT_EQ(left(u"12:30:15", 2), u"12");
    EXPECT_EQ(left(u"12", 8), u"12");
    EXPECT_EQ(left(u"12", 0), u"");

    struct Case {
        long start;
        std::size_t count;
        const char16_t* expected;
    };
    const Case cases[] = {
        {1, 2, u"12"}, {4, 2, u"30"}, {7, 2, u"15"}, {7, 5, u"15"},
        {8, 2, u"5"},  {9, 2, u""},   {100, 1, u""}, {4, TextView::npos, u"30:15"},
        {1, 0, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        EXPECT_EQ(mid(u"12:30:15", c.start, c.count), c.expected);
    }
    EXPECT_EQ(mid(u"", 1), u"");
}

TEST(TextFunctions, MidWithStartBelowOneIsAnInvalidArgument) {
    for (long start : {0L, -1L, -100L}) {
        EXPECT_EQ(error_number([&] { mid(u"abc", start, 1); }), vb::InvalidProcedureCall);
        EXPECT_EQ(error_number([&] { mid(u"", start); }), vb::InvalidProcedureCall);
    }
}

TEST(TextFunctions, UpperCaseCoversAsciiAndLatin1) {
    struct Case {
        const char16_t* text;
        const char16_t* upper;
    };
    const Case cases[] = {
        {u"abc xyz 019", u"ABC XYZ 019"},
        {u"árbol ñandú", u"ÁRBOL ÑANDÚ"},
        {u"àâäçèéêëìíîïðòóôõöøùúûüýþ", u"ÀÂÄÇÈÉÊËÌÍÎÏÐÒÓÔÕÖØÙÚÛÜÝÞ"},
        {u"ÿ", u"\u0178"},
        {u"÷ ß µ ª º", u"÷ ß µ ª º"}, // no capital in this range: unchanged
        {u"ABC ÁÑ", u"ABC ÁÑ"},
        {u"{|}~`@[", u"{|}~`@["},
        {u"ā œ я", u"ā œ я"}, // beyond Latin-1: unchanged
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(to_utf8(c.text));
        EXPECT_EQ(to_upper(c.text), c.upper);
    }
}

TEST(TextFunctions, EqualsIgnoringCase) {
    EXPECT_TRUE(equals_ignoring_case(u"True", u"TRUE"));
    EXPECT_TRUE(equals_ignoring_case(u"true", u"tRUE"));
    EXPECT_TRUE(equals_ignoring_case(u"año", u"AÑO"));
    EXPECT_TRUE(equals_ignoring_case(u"", u""));
    EXPECT_FALSE(equals_ignoring_case(u"True", u"True "));
    EXPECT_FALSE(equals_ignoring_case(u"True", u"Tru"));
    EXPECT_FALSE(equals_ignoring_case(u"a", u"b"));
    EXPECT_FALSE(equals_ignoring_case(u"[", u"{")); // 0x5B and 0x7B are not a case pair
}

} // namespace
} // namespace orbek
