#include "access/module_access.h"
#include "support/error_number.h"
#include "support/recording_sys_tools.h"

#include <gtest/gtest.h>
#include <set>

namespace orbek {
namespace {

using testing::error_number;
using testing::RecordingSysTools;

TEST(ModuleAccess, GrantsTheModulesOfTheDecodedNumberOrFails) {
    const std::set<int> all = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    // clang-format off
    const std::tuple<Text, std::set<int>> cases[] = {
        {u"1", {1}}, {u"32768", {16}}, {u"65535", all}, {u"0", {}}, {u"2", {2}}, {u"-1", all},
        {u"40965", {1, 3, 14, 16}}, // 1010 0000 0000 0101
        // Seventeen digits: the positions still count from the front, one place off.
        {u"65536", {16}}, {u"98304", {15, 16}}}; // 1 1000 0000 0000 0000
    // clang-format on
    RecordingSysTools tools;
    for (const auto& [number, granted] : cases) {
        const Text rights = tools.EncodeText(number);
        for (std::int16_t module = 1; module <= 16; ++module)
            EXPECT_EQ(module_granted(rights, module, tools), granted.contains(module))
                << to_utf8(number) << " module " << module;
    }
    const Text one = tools.EncodeText(u"1");
    // clang-format off
    const std::tuple<Text, std::int16_t, int> failures[] = {
        {one, 17, vb::InvalidProcedureCall}, {one, 32767, vb::InvalidProcedureCall},
        {one, 0, vb::TypeMismatch}, // past the 16 digits: the empty text is no number
        {one, -100, vb::TypeMismatch}, {one, -32750, vb::TypeMismatch},
        {one, -32751, vb::Overflow}, // 17 - module no longer fits in 16 bits
        {one, -32768, vb::Overflow}, {u"not encoded", 1, vb::InvalidProcedureCall},
        {tools.EncodeText(u"abc"), 1, vb::TypeMismatch},
        {tools.EncodeText(u"70000000000"), 1, vb::Overflow}};
    // clang-format on
    for (const auto& [rights, module, number] : failures)
        EXPECT_EQ(error_number([&] { module_granted(rights, module, tools); }), number) << module;
}

using Calls = std::vector<std::string>;
const Calls Both = {"DecodeText rights", "ToBitText decoded"};

// The decoded text goes to ToBitText, and only the one flag character is read from its answer.
TEST(ModuleAccess, CompanionCallsAndTheFlagCharacter) {
    struct Case {
        Text flags;
        std::int16_t module;
        int granted_or_error; // 1 granted, 0 not, otherwise the error number
        Calls calls = Both;
        std::optional<std::size_t> failing_call = std::nullopt;
    };
    const Text First = u"0000000000000001";
    // clang-format off
    const Case cases[] = {
        {First, 1, 1}, {u"x000000000000001", 1, 1}, {u"0000000000000002", 1, 0},
        {u"000000000000000x", 1, vb::TypeMismatch}, {u"000000000000000 ", 1, vb::TypeMismatch},
        {u"1", 16, 1}, {u"1", 15, vb::TypeMismatch},
        // The position is worked out first, but only read after both companion calls.
        {First, 17, vb::InvalidProcedureCall}, {First, -32768, vb::Overflow, {}},
        {First, 1, vb::ObjectNotSet, {"DecodeText rights"}, 0},
        {First, 1, vb::ObjectNotSet, Both, 1}};
    // clang-format on
    for (const Case& c : cases) {
        RecordingSysTools tools;
        tools.decoded_text = u"decoded";
        tools.bit_text = c.flags;
        if (c.failing_call)
            tools.fail_call(*c.failing_call, vb::ObjectNotSet);
        bool granted = false;
        const int number =
            error_number([&] { granted = module_granted(u"rights", c.module, tools); });
        EXPECT_EQ(number != 0 ? number : int{granted}, c.granted_or_error)
            << to_utf8(c.flags) << " module " << c.module;
        EXPECT_EQ(tools.calls, c.calls) << c.module;
    }
}

} // namespace
} // namespace orbek
