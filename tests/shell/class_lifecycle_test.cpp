#include "object_host.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

using testing::ThreadHost;

TEST(ClassLifecycle, SecondObjectOnAThreadReplacesTheSharedCompanion) {
    ThreadHost thread;
    auto first = thread.create();
    const SysTools* made_by_first = thread.state.sys_tools.get();
    auto second = thread.create();

    EXPECT_EQ(thread.companion.made, 2);
    EXPECT_NE(thread.state.sys_tools.get(), made_by_first);
    // Both objects now work through the companion made by the second class start.
    std::int32_t seconds = 5415;
    EXPECT_EQ(first->Seg2Hrs(seconds), u"01:30:15");
    EXPECT_EQ(second->Seg2Hrs(seconds), u"01:30:15");
}

TEST(ClassLifecycle, ReleasingOneObjectLeavesTheSharedCompanion) {
    ThreadHost thread;
    auto first = thread.create();
    auto second = thread.create();
    const SysTools* shared = thread.state.sys_tools.get();
    first.reset();
    EXPECT_EQ(thread.state.sys_tools.get(), shared);
    std::int32_t seconds = 0;
    EXPECT_EQ(second->Seg2Hrs(seconds), u"00:00:00");
}

TEST(ClassLifecycle, ClassInitializeOnALiveObjectOnlyReplacesTheCompanion) {
    ThreadHost thread;
    auto object = thread.create();
    const SysTools* before = thread.state.sys_tools.get();
    object->Class_Initialize();
    EXPECT_EQ(thread.companion.made, 2);
    EXPECT_NE(thread.state.sys_tools.get(), before);
}

TEST(ClassLifecycle, WithoutCompanionTheObjectExistsAndCompanionCallsFail) {
    ThreadHost thread;
    thread.companion.available = false;
    auto object = thread.create();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(thread.state.sys_tools, nullptr);

    std::int32_t seconds = 60;
    try {
        object->Seg2Hrs(seconds);
        FAIL() << "Seg2Hrs needs the companion";
    } catch (const VbError& error) {
        EXPECT_EQ(error.number(), vb::ObjectNotSet);
    }
    // Methods that do not reach the companion still work.
    Variant time(Text(u"01:00:00"));
    EXPECT_EQ(object->Hrs2Seg(time), 3600);
}

TEST(ClassLifecycle, AFailedClassStartKeepsTheCompanionTheThreadHad) {
    ThreadHost thread;
    auto first = thread.create();
    const SysTools* working = thread.state.sys_tools.get();
    thread.companion.available = false;
    auto second = thread.create();
    second->Class_Initialize();
    EXPECT_EQ(thread.state.sys_tools.get(), working);
}

TEST(ClassLifecycle, ThreadsDoNotShareModuleState) {
    ThreadHost thread_a;
    ThreadHost thread_b;
    thread_b.companion.available = false;
    auto on_a = thread_a.create();
    auto on_b = thread_b.create();
    std::int32_t seconds = 90000;
    EXPECT_EQ(on_a->Seg2Hrs(seconds), u"25:00:00");
    EXPECT_THROW(on_b->Seg2Hrs(seconds), VbError);
}

} // namespace
} // namespace orbek
