// The engine on a file's bytes, for what the shared INI corpus does not pin down.
#include "platform/posix/profile_number.h"
#include "platform/posix/profile_text.h"

#include <gtest/gtest.h>

namespace orbek::profile {
namespace {

TEST(ProfileText, FindsValues) {
    const struct {
        std::string_view content, section, key;
        std::optional<std::string> value;
    } cases[] = {
        {"[S]\r\nK=v", "S", "K", "v"},   // no line end at all
        {"[S]\n\nK=v\n", "S", "K", "v"}, // a blank line inside the section
        {"[S]\r\nKK=v\r\n", "S", "K", std::nullopt},
        {"[S]\r\nK=v\r\n", "SS", "K", std::nullopt},
        {"[S]\r\n=v\r\n", "S", "", "v"}, // the empty key
        {"[az\xE0\xFE\xFF\x9A\x9C\x9E]\r\nK=v\r\n", "AZ\xC0\xDE\x9F\x8A\x8C\x8E", "k", "v"},
        {"[\xB5\xD7]\r\nK=v\r\n", "\xB5\xF7", "K", std::nullopt}, // µ and × have no partner
    };
    for (const auto& c : cases) {
        EXPECT_EQ(find_value(c.content, c.section, c.key), c.value) << c.content;
    }
}

TEST(ProfileText, WritesInPlace) {
    const struct {
        std::string_view content, section, key, value, expected;
    } cases[] = {
        {"[S]\rK=old\rJ=1\r", "S", "K", "new", "[S]\rK=new\rJ=1\r"},
        {"[S]", "S", "K", "v", "[S]\r\nK=v\r\n"},
        {"[S]\r\nA=1", "S", "K", "v", "[S]\r\nA=1\r\nK=v\r\n"},
        {"x\r", "S", "K", "v", "x\r[S]\r\nK=v\r\n"},
        {"[T]\r\nA=1\r\n;c\r\n[S]\r\n", "T", "K", "v", "[T]\r\nA=1\r\nK=v\r\n;c\r\n[S]\r\n"},
        {"[S]\r\n\tK\t\r\n", "S", "K", "v", "[S]\r\n\tK=v\r\n"},
        {"[S]\r\nK=1\r\nK=2\r\n", "S", "k", "v", "[S]\r\nK=v\r\nK=2\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(with_value(c.content, c.section, c.key, c.value), c.expected) << c.content;
    }
}

TEST(ProfileNumber, ReadsAsWindowsDoes) {
    const struct {
        std::string_view text;
        std::optional<std::uint32_t> number;
    } cases[] = {
        {"", std::nullopt},
        {"\x01 9", 9},
        {"0xg", 0},
        {"09", 9},
        {"0b12", 1},
        {"0o78", 7},
        {"0B11", 0}, // the base letter in lowercase only
        {"0O17", 0},
        {"-0x1", 4294967295u},
        {"0", 0},
        {"0xAa", 170},
        {"0xfF", 255},
        {"0x9Z", 9},
        {"0b2", 0},
        {"1x5", 1},                                      // a base only after a leading 0
        {"123456789012345678901234567890", 1849262357u}, // only 29 digits count
    };
    for (const auto& c : cases) {
        EXPECT_EQ(profile_number(c.text), c.number) << c.text;
    }
}

} // namespace
} // namespace orbek::profile
