// No argument a host can send makes a method misbehave: every call either answers or raises a
// VB error, and the sanitized build checks that nothing underneath reads out of bounds.
#include "object_host.h"
#include "shell/dispatcher.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace orbek {
namespace {

using testing::ThreadHost;

std::vector<Variant> awkward_values() {
    return {
        Variant(),
        Variant::null(),
        Variant::missing(),
        Variant(Variant::ErrorValue{5}),
        Text(),
        Text(u" "),
        Text(u"abc"),
        Text(u":"),
        Text(u"1"),
        Text(u"99:99:99"),
        Text(u"-1:-1:-1"),
        Text(u"123:45:67:89"),
        Text(u"\xD800\xDC00\xD800"),
        Text(u"&HFFFFFFFF"),
        Text(u"9E999"),
        Text(300, u'9'),
        Text(u"31/12/9999 23:59:59"),
        true,
        std::uint8_t{255},
        std::int16_t{-32768},
        std::int32_t{std::numeric_limits<std::int32_t>::min()},
        std::int32_t{std::numeric_limits<std::int32_t>::max()},
        -0.5,
        1e300,
        std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity(),
        std::numeric_limits<float>::max(),
        Currency::from_scaled(std::numeric_limits<std::int64_t>::min()),
        Currency::from_scaled(std::numeric_limits<std::int64_t>::max()),
        Variant::date(2958465.99998843),
        Variant::date(-657434.0),
        Variant(Variant::ObjectRef()),
    };
}

// A call ends in a result or a VbError; anything else escapes and fails the test.
void call_expecting_an_answer(OrbekInterface& object, const MethodSpec& method,
                              std::vector<Variant> args) {
    try {
        call_by_name(object, method.name, args);
    } catch (const VbError& error) {
        EXPECT_GT(error.number(), 0);
        EXPECT_NE(std::string(error.what()), "");
    }
}

TEST(Robustness, EveryArgumentPositionTakesEveryKindOfValue) {
    ThreadHost thread;
    auto object = thread.create();
    const std::vector<Variant> values = awkward_values();
    for (const MethodSpec& method : orbek_methods()) {
        SCOPED_TRACE(to_utf8(method.name));
        for (std::size_t position = 0; position < method.args.size(); ++position) {
            for (const Variant& value : values) {
                std::vector<Variant> args(method.args.size(), Text(u"01:30:00"));
                args[position] = value;
                call_expecting_an_answer(*object, method, args);
            }
        }
    }
}

TEST(Robustness, RandomArgumentListsOfAnyLength) {
    ThreadHost thread;
    auto object = thread.create();
    const std::vector<Variant> values = awkward_values();
    std::mt19937 random(20261205);
    const auto methods = orbek_methods();
    for (int round = 0; round < 3000; ++round) {
        const MethodSpec& method = methods[random() % methods.size()];
        std::vector<Variant> args(random() % (method.args.size() + 2));
        for (Variant& arg : args) {
            arg = values[random() % values.size()];
        }
        call_expecting_an_answer(*object, method, args);
    }
}

TEST(Robustness, WithoutCompanionCallsFailCleanly) {
    ThreadHost thread;
    thread.companion.available = false;
    auto object = thread.create();
    for (const MethodSpec& method : orbek_methods()) {
        std::vector<Variant> args(method.args.size(), Text(u"1"));
        call_expecting_an_answer(*object, method, args);
    }
}

} // namespace
} // namespace orbek
