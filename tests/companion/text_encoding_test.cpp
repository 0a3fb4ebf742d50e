#include "recording_window_layer.h"
#include "support/error_number.h"
#include "sys_tools_impl.h"

#include <gtest/gtest.h>
#include <random>

namespace orbek {
namespace {

using testing::error_number;

// Texts of every kind of code unit: ASCII, Latin-1, the rest of the basic plane, and
// surrogates both paired and alone.
Text random_text(std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> length(0, 24);
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_int_distribution<unsigned> ascii(0x20, 0x7E);
    std::uniform_int_distribution<unsigned> any(0, 0xFFFF);
    std::uniform_int_distribution<unsigned> surrogate(0xD800, 0xDFFF);
    Text text;
    for (std::size_t n = length(random); n > 0; --n) {
        switch (kind(random)) {
        case 0:
            text += static_cast<char16_t>(ascii(random));
            break;
        case 1:
            text += static_cast<char16_t>(any(random) & 0xFF);
            break;
        case 2:
            text += static_cast<char16_t>(any(random));
            break;
        default:
            text += static_cast<char16_t>(surrogate(random));
            break;
        }
    }
    return text;
}

// The stored rights texts of the host were written in this form, so it must not drift.
TEST(CompanionEncoding, KnownForms) {
    const std::pair<Text, Text> cases[] = {
        {u"", u"00"},
        {u"A", u"5A7D41"},
        {u"AB", u"5A7D5A1983"},
        {u"1", u"5A0D31"},
        {Text(1, u'\xD800'), u"823CD8"},
    };
    RecordingWindowLayer windows;
    SysToolsImpl tools(windows);
    for (const auto& [plain, encoded] : cases) {
        EXPECT_EQ(tools.EncodeText(plain), encoded);
        EXPECT_EQ(tools.DecodeText(encoded), plain);
    }
    EXPECT_EQ(tools.DecodeText(u"5a7d5a1983"), u"AB");
}

TEST(CompanionEncoding, DecodingUndoesEncoding) {
    RecordingWindowLayer windows;
    SysToolsImpl tools(windows);
    std::mt19937 random(20261205);
    for (int round = 0; round < 2000; ++round) {
        const Text plain = random_text(random);
        const Text encoded = tools.EncodeText(plain);
        ASSERT_EQ(encoded.size(), plain.size() * 4 + 2);
        ASSERT_EQ(tools.DecodeText(encoded), plain);
    }
}

TEST(CompanionEncoding, AnyOneChangedDigitIsRejected) {
    RecordingWindowLayer windows;
    SysToolsImpl tools(windows);
    std::mt19937 random(1999);
    const Text hex = u"0123456789ABCDEF";
    for (int round = 0; round < 2000; ++round) {
        const Text encoded = tools.EncodeText(random_text(random));
        Text corrupt = encoded;
        const std::size_t at =
            std::uniform_int_distribution<std::size_t>(0, corrupt.size() - 1)(random);
        const std::size_t step = std::uniform_int_distribution<std::size_t>(1, 15)(random);
        corrupt[at] = hex[(hex.find(corrupt[at]) + step) % 16];
        ASSERT_EQ(error_number([&] { tools.DecodeText(corrupt); }), vb::InvalidProcedureCall)
            << to_utf8(encoded) << " changed at " << at;
    }
}

TEST(CompanionEncoding, MalformedTextsAreInvalidArguments) {
    RecordingWindowLayer windows;
    SysToolsImpl tools(windows);
    const Text malformed[] = {
        u"",        // not even the check byte
        u"0",       // too short
        u"5A7D4",   // not 4n + 2 digits
        u"5A7D411", //
        u"5A7G41",  // not a hexadecimal digit
        u" 5A7D41", // blanks are not part of the form
        u"5A7D42",  // check byte off by one
        u"5B7D41",  // a unit's high byte changed
    };
    for (const Text& text : malformed) {
        EXPECT_EQ(error_number([&] { tools.DecodeText(text); }), vb::InvalidProcedureCall)
            << to_utf8(text);
    }
}

} // namespace
} // namespace orbek
