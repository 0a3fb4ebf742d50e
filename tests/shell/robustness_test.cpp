// No argument a caller can pass, in any position of any method, escapes as anything but one of
// the host language's errors: the engine never crashes and never lets a stray exception out.
#include "platform/posix/in_memory_objects.h"
#include "support/thread_host.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>

namespace orbek {
namespace {

std::vector<Variant> awkward_values() {
    InMemoryForm form(u"TXTFEC1,Other");
    return {Variant(),
            Variant::null(),
            Variant::missing(),
            Variant(Variant::ErrorValue{5}),
            Variant(std::int32_t{0}),
            Variant(std::numeric_limits<std::int32_t>::min()),
            Variant(std::int16_t{-1}),
            Variant(1e300),
            Variant(std::nan("")),
            Variant(-std::numeric_limits<double>::infinity()),
            Variant(Currency::from_scaled(std::numeric_limits<std::int64_t>::min())),
            Variant::date(-657434.0),
            Variant(true),
            Variant(u""),
            Variant(u"  /  /    "),
            Variant(u"99:99:99"),
            Variant(u"31/04/2025"),
            Variant(Text(1, u'\xd800')),
            Variant(Text(u"\u00f1\0x", 3)),
            Variant(Text(10000, u'9')),
            Variant(Variant::ObjectRef()),
            form.object()};
}

TEST(Robustness, EveryAwkwardValueInEveryPositionOfEveryMethodEndsInAHostError) {
    testing::ThreadHost thread;
    // Relative paths (ArchStay's folder "1") name folders in the current one: keep them in
    // the test's own folder.
    const std::filesystem::path earlier = std::filesystem::current_path();
    std::filesystem::current_path(thread.c_root.path());
    auto object = thread.create();
    const std::vector<Variant> values = awkward_values();
    int calls = 0;
    for (const MethodDecl& method : OrbekDllInterface.methods) {
        for (std::size_t position = 0; position < method.args.size(); ++position) {
            for (const Variant& value : values) {
                // Every other argument plausible, so the awkward one is what the method meets.
                std::vector<Variant> placed(method.args.size(), Variant(u"1"));
                placed[position] = value;
                DiscardingSink sink;
                const CallOutcome outcome = OrbekMethods::call(*object, method, placed, sink);
                ++calls;
                if (outcome.kind == CallOutcome::Kind::Failed) {
                    EXPECT_NE(outcome.vb_error().number(), vb::InternalError)
                        << to_utf8(method.name) << " argument " << position << ": "
                        << outcome.vb_error().what();
                }
            }
        }
    }
    std::filesystem::current_path(earlier);
    EXPECT_GT(calls, 1000);
}

} // namespace
} // namespace orbek
