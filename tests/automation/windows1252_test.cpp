#include "automation/windows1252.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

// 0x80 to 0x9F in the code page; the five it leaves undefined are the control characters
// of the same number.
const Text HighRange = u"€\x81‚ƒ„…†‡ˆ‰Š‹Œ\x8DŽ\x8F\x90‘’“”•–—˜™š›œ\x9DžŸ";

TEST(Windows1252, EveryByteRoundTripsAndIsLatin1OutsideTheHighControlRange) {
    ASSERT_EQ(HighRange.size(), 32u);
    std::string all_bytes;
    for (int byte = 0; byte < 256; ++byte)
        all_bytes += static_cast<char>(byte);
    const Text text = from_windows1252(all_bytes);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(to_windows1252(text), all_bytes);
    for (int byte = 0; byte < 256; ++byte) {
        const bool high = byte >= 0x80 && byte < 0xA0;
        EXPECT_EQ(text[byte], high ? HighRange[byte - 0x80] : byte) << byte;
        EXPECT_EQ(to_windows1252(Text(1, text[byte])), std::string(1, char(byte))) << byte;
    }
}

TEST(Windows1252, UnmappableCharactersBecomeQuestionMarks) {
    // clang-format off
    const std::pair<Text, std::string> cases[] = {
        {u"Año 2025 €", "A\xF1o 2025 \x80"}, {u"\u0100\u4E2D", "??"},
        {u"\u0080\u009F", "??"}, // controls that the code page spends on printable characters
        {u"a\U0001F600b", "a?b"}, // one character outside the basic plane is one mark
        {u"a\U0001F600", "a?"}, // also at the very end
        {Text{u'a', char16_t(0xD800)}, "a?"}, {Text{char16_t(0xDC00), u'b'}, "?b"}};
    // clang-format on
    for (const auto& [text, bytes] : cases) {
        EXPECT_EQ(to_windows1252(text), bytes);
        std::string appended = "x\r\n";
        append_windows1252(appended, text);
        EXPECT_EQ(appended, "x\r\n" + bytes);
    }
}

} // namespace
} // namespace orbek
