#include "companion/companion_test.h"

#include <random>

namespace orbek {
namespace {

using testing::error_number;

// Texts of every kind of code unit: ASCII, Latin-1, the rest of the basic plane, and
// surrogates both paired and alone.
Text random_text(std::mt19937& random) {
    const std::pair<unsigned, unsigned> kinds[] = {
        {0x20, 0x7E}, {0, 0xFF}, {0, 0xFFFF}, {0xD800, 0xDFFF}};
    Text text(std::uniform_int_distribution<std::size_t>(0, 24)(random), u' ');
    for (char16_t& unit : text) {
        const auto [low, high] = kinds[random() % 4];
        unit = static_cast<char16_t>(std::uniform_int_distribution<unsigned>(low, high)(random));
    }
    return text;
}

// The stored rights texts of the host were written in this form, so it must not drift.
TEST_F(Companion, EncodingKnownForms) {
    // clang-format off
    const std::pair<Text, Text> cases[] = {
        {u"", u"00"}, {u"A", u"5A7D41"}, {u"AB", u"5A7D5A1983"}, {u"1", u"5A0D31"},
        {Text(1, u'\xD800'), u"823CD8"}};
    // clang-format on
    for (const auto& [plain, encoded] : cases) {
        EXPECT_EQ(tools.EncodeText(plain), encoded);
        EXPECT_EQ(tools.DecodeText(encoded), plain);
    }
    EXPECT_EQ(tools.DecodeText(u"5a7d5a1983"), u"AB");
}

TEST_F(Companion, DecodingUndoesEncodingAndRejectsAnyOneChangedDigit) {
    std::mt19937 random(20261205);
    const Text hex = u"0123456789ABCDEF";
    for (int round = 0; round < 2000; ++round) {
        const Text plain = random_text(random);
        const Text encoded = tools.EncodeText(plain);
        ASSERT_EQ(encoded.size(), plain.size() * 4 + 2);
        ASSERT_EQ(tools.DecodeText(encoded), plain);
        Text corrupt = encoded;
        const std::size_t at = random() % corrupt.size(), step = 1 + random() % 15;
        corrupt[at] = hex[(hex.find(corrupt[at]) + step) % 16];
        ASSERT_EQ(error_number([&] { tools.DecodeText(corrupt); }), vb::InvalidProcedureCall)
            << to_utf8(encoded) << " changed at " << at;
    }
}

TEST_F(Companion, DecodingMalformedTextsIsAnInvalidArgument) {
    // Too short, not 4n + 2 digits, not hexadecimal, blanks, the check byte off by one, a
    // unit's high byte changed.
    for (const char16_t* text :
         {u"", u"0", u"5A7D4", u"5A7D411", u"5A7G41", u" 5A7D41", u"5A7D42", u"5B7D41"})
        EXPECT_EQ(error_number([&] { tools.DecodeText(text); }), vb::InvalidProcedureCall)
            << to_utf8(text);
}

} // namespace
} // namespace orbek
