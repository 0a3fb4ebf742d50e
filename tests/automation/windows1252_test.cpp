#include "automation/windows1252.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

TEST(Windows1252, EveryByteRoundTrips) {
    std::string all_bytes;
    for (int byte = 0; byte < 256; ++byte)
        all_bytes += static_cast<char>(byte);
    Text text = from_windows1252(all_bytes);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(to_windows1252(text), all_bytes);
    // Outside 0x80-0x9F the code page is Latin-1.
    for (int byte = 0; byte < 256; ++byte) {
        if (byte < 0x80 || byte >= 0xA0) {
            EXPECT_EQ(text[byte], byte) << byte;
        }
    }
}

TEST(Windows1252, HighControlRangeFollowsTheCodePage) {
    struct Case {
        unsigned char byte;
        char16_t unit;
    };
    const Case cases[] = {
        {0x80, u'€'},
        {0x82, u'‚'},
        {0x83, u'ƒ'},
        {0x84, u'„'},
        {0x85, u'…'},
        {0x86, u'†'},
        {0x87, u'‡'},
        {0x88, u'ˆ'},
        {0x89, u'‰'},
        {0x8A, u'Š'},
        {0x8B, u'‹'},
        {0x8C, u'Œ'},
        {0x8E, u'Ž'},
        {0x91, u'‘'},
        {0x92, u'’'},
        {0x93, u'“'},
        {0x94, u'”'},
        {0x95, u'•'},
        {0x96, u'–'},
        {0x97, u'—'},
        {0x98, u'˜'},
        {0x99, u'™'},
        {0x9A, u'š'},
        {0x9B, u'›'},
        {0x9C, u'œ'},
        {0x9E, u'ž'},
        {0x9F, u'Ÿ'},
        // Undefined in the code page: the control character of the same number.
        {0x81, u'\x81'},
        {0x8D, u'\x8D'},
        {0x8F, u'\x8F'},
        {0x90, u'\x90'},
        {0x9D, u'\x9D'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.byte));
        std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(from_windows1252(byte), Text(1, c.unit));
        EXPECT_EQ(to_windows1252(Text(1, c.unit)), byte);
    }
}

TEST(Windows1252, UnmappableCharactersBecomeQuestionMarks) {
    struct Case {
        Text text;
        std::string bytes;
    };
    const Case cases[] = {
        {u"Año 2025 €", "A\xF1o 2025 \x80"},
        {u"\u0100\u4E2D", "??"},
        {u"\u0080\u009F", "??"},  // controls that the code page spends on printable characters
        {u"a\U0001F600b", "a?b"}, // one character outside the basic plane is one mark
        {u"a\U0001F600", "a?"},   // also at the very end
        {Text{u'a', char16_t(0xD800)}, "a?"},
        {Text{char16_t(0xDC00), u'b'}, "?b"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(to_windows1252(c.text), c.bytes);
        std::string appended = "x\r\n";
        append_windows1252(appended, c.text);
        EXPECT_EQ(appended, "x\r\n" + c.bytes);
    }
}

} // namespace
} // namespace orbek
