#include "access/module_access.h"
#include "support/error_number.h"
#include "support/recording_sys_tools.h"

#include <gtest/gtest.h>
#include <set>

namespace orbek {
namespace {

using testing::error_number;
using testing::RecordingSysTools;

TEST(ModuleAccess, GrantsTheModulesOfTheDecodedNumber) {
    struct Case {
        Text number;
        std::set<int> granted;
    };
    std::set<int> all;
    for (int module = 1; module <= 16; ++module) {
        all.insert(module);
    }
    const Case cases[] = {
        {u"1", {1}},
        {u"32768", {16}},
        {u"65535", all},
        {u"0", {}},
        {u"2", {2}},
        {u"40965", {1, 3, 14, 16}}, // 1010 0000 0000 0101
        {u"-1", all},
        // Seventeen digits: the positions still count from the front, one place off.
        {u"65536", {16}},
        {u"98304", {15, 16}}, // 1 1000 0000 0000 0000
    };
    RecordingSysTools tools;
    for (const Case& c : cases) {
        const Text rights = tools.EncodeText(c.number);
        for (std::int16_t module = 1; module <= 16; ++module) {
            EXPECT_EQ(module_granted(rights, module, tools), c.granted.contains(module))
                << to_utf8(c.number) << " module " << module;
        }
    }
}

TEST(ModuleAccess, Failures) {
    struct Case {
        Text rights;
        std::int16_t module;
        int number;
    };
    RecordingSysTools tools;
    const Text one = tools.EncodeText(u"1");
    const Case cases[] = {
        {one, 17, vb::InvalidProcedureCall},
        {one, 32767, vb::InvalidProcedureCall},
        {one, 0, vb::TypeMismatch}, // past the 16 digits: the empty text is no number
        {one, -100, vb::TypeMismatch},
        {one, -32750, vb::TypeMismatch},
        {one, -32751, vb::Overflow}, // 17 - module no longer fits in 16 bits
        {one, -32768, vb::Overflow},
        {u"not encoded", 1, vb::InvalidProcedureCall},
        {tools.EncodeText(u"abc"), 1, vb::TypeMismatch},
        {tools.EncodeText(u"70000000000"), 1, vb::Overflow},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(error_number([&] { module_granted(c.rights, c.module, tools); }), c.number)
            << c.module;
    }
}

// The decoded text goes to ToBitText, and only the one flag character is read from its answer.
TEST(ModuleAccess, CompanionCallsAndTheFlagCharacter) {
    using Calls = std::vector<std::string>;
    const Calls both = {"DecodeText rights", "ToBitText decoded"};
    struct Case {
        Text flags;
        std::int16_t module;
        std::optional<std::size_t> failing_call;
        int granted_or_error; // 1 granted, 0 not, otherwise the error number
        Calls calls;
    };
    const Case cases[] = {
        {u"0000000000000001", 1, std::nullopt, 1, both},
        {u"x000000000000001", 1, std::nullopt, 1, both},
        {u"0000000000000002", 1, std::nullopt, 0, both},
        {u"000000000000000x", 1, std::nullopt, vb::TypeMismatch, both},
        {u"000000000000000 ", 1, std::nullopt, vb::TypeMismatch, both},
        {u"1", 16, std::nullopt, 1, both},
        {u"1", 15, std::nullopt, vb::TypeMismatch, both},
        // The position is worked out first, but only read after both companion calls.
        {u"0000000000000001", 17, std::nullopt, vb::InvalidProcedureCall, both},
        {u"0000000000000001", -32768, std::nullopt, vb::Overflow, {}},
        {u"0000000000000001", 1, 0, vb::ObjectNotSet, {"DecodeText rights"}},
        {u"0000000000000001", 1, 1, vb::ObjectNotSet, both},
    };
    for (const Case& c : cases) {
        RecordingSysTools tools;
        tools.decoded_text = u"decoded";
        tools.bit_text = c.flags;
        if (c.failing_call) {
            tools.fail_call(*c.failing_call, vb::ObjectNotSet);
        }
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
