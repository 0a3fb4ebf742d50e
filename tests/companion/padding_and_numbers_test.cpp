#include "recording_window_layer.h"
#include "support/error_number.h"
#include "sys_tools_impl.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

using testing::error_number;

TEST(CompanionPadText, AlignsToTheWidth) {
    struct Case {
        Text text;
        std::int16_t width;
        Variant fill;
        Text expected;
    };
    const Case cases[] = {
        {u"7", 2, Variant::missing(), u"07"},
        {u"12", 2, Variant::missing(), u"12"},
        {u"1999", 4, Variant::missing(), u"1999"},
        {u"", 2, Variant::missing(), u"00"},
        {u"100", 2, Variant::missing(), u"100"}, // longer texts come back as they are
        {u"-5", 4, Variant::missing(), u"-005"}, // the sign stays in front of the zeros
        {u"-1", 2, Variant::missing(), u"-1"},
        {u"-30", 2, Variant::missing(), u"-30"},
        {u"7", 0, Variant::missing(), u"7"},
        {u"7", -3, Variant::missing(), u"7"},
        {u"7", 3, Variant(Text(u"*")), u"**7"},
        {u"-5", 4, Variant(Text(u" ")), u"  -5"}, // other fills only align
        {u"7", 3, Variant(Text(u"xy")), u"xx7"},  // the first character of the fill
        {u"7", 3, Variant(std::int32_t{9}), u"997"},
        {u"7", 2, Variant(Text(u"0")), u"07"},
    };
    RecordingWindowLayer windows;
    SysToolsImpl tools(windows);
    for (const Case& c : cases) {
        Text text = c.text;
        EXPECT_EQ(tools.PadText(text, c.width, c.fill), c.expected) << to_utf8(c.text);
        EXPECT_EQ(text, c.text) << "the caller's text is not changed";
    }
}

TEST(CompanionPadText, AFillWithoutACharacterFails) {
    RecordingWindowLayer windows;
    SysToolsImpl tools(windows);
    const std::pair<Variant, int> cases[] = {
        {Variant(Text()), vb::InvalidProcedureCall},
        {Variant(), vb::InvalidProcedureCall},
        {Variant::null(), vb::InvalidUseOfNull},
    };
    for (const auto& [fill, number] : cases) {
        Text text = u"7";
        EXPECT_EQ(error_number([&] { tools.PadText(text, 2, fill); }), number);
    }
}

TEST(CompanionDaysInMonth, GregorianMonthsAndLimits) {
    struct Case {
        std::int16_t month;
        std::int16_t year;
        int days_or_error; // negative: the error number
    };
    const Case cases[] = {
        {1, 2026, 31},  {2, 2026, 28},  {2, 2024, 29},  {2, 2000, 29},  {2, 1900, 28},
        {4, 2026, 30},  {12, 9999, 31}, {2, 100, 28},   {0, 2026, -5},  {13, 2026, -5},
        {-1, 2026, -5}, {2, 99, -5},    {2, 10000, -5}, {2, -2024, -5},
    };
    RecordingWindowLayer windows;
    SysToolsImpl tools(windows);
    for (const Case& c : cases) {
        std::int16_t month = c.month;
        std::int16_t year = c.year;
        if (c.days_or_error > 0) {
            EXPECT_EQ(tools.DaysInMonth(month, year), c.days_or_error) << c.month << "/" << c.year;
        } else {
            EXPECT_EQ(error_number([&] { tools.DaysInMonth(month, year); }), -c.days_or_error)
                << c.month << "/" << c.year;
        }
    }
}

TEST(CompanionToBitText, BinaryDigitsOfTheNumber) {
    struct Case {
        Text number;
        const char16_t* digits_or_null;
        int error;
    };
    const Case cases[] = {
        {u"0", u"0000000000000000", 0},
        {u"1", u"0000000000000001", 0},
        {u"5", u"0000000000000101", 0},
        {u"32768", u"1000000000000000", 0},
        {u"65535", u"1111111111111111", 0},
        {u"65536", u"10000000000000000", 0},
        {u"2147483647", u"1111111111111111111111111111111", 0},
        {u"-1", u"11111111111111111111111111111111", 0},
        {u"-2", u"11111111111111111111111111111110", 0},
        {u"-2147483648", u"10000000000000000000000000000000", 0},
        {u" 2.5 ", u"0000000000000010", 0}, // halves go to the even neighbour
        {u"3.5", u"0000000000000100", 0},
        {u"&HFF", u"0000000011111111", 0},
        {u"", nullptr, vb::TypeMismatch},
        {u"1x", nullptr, vb::TypeMismatch},
        {u"2147483648", nullptr, vb::Overflow},
        {u"-2147483649", nullptr, vb::Overflow},
    };
    RecordingWindowLayer windows;
    SysToolsImpl tools(windows);
    for (const Case& c : cases) {
        if (c.digits_or_null != nullptr) {
            EXPECT_EQ(tools.ToBitText(c.number), c.digits_or_null) << to_utf8(c.number);
        } else {
            EXPECT_EQ(error_number([&] { tools.ToBitText(c.number); }), c.error)
                << to_utf8(c.number);
        }
    }
}

TEST(CompanionWindows, EffectsGoToTheWindowLayer) {
    RecordingWindowLayer windows;
    SysToolsImpl tools(windows);
    std::int32_t start = 7;
    std::int32_t height = 3135;
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
