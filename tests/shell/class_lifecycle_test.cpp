#include "support/error_number.h"
#include "support/thread_host.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

using testing::ThreadHost;

TEST(ClassLifecycle, EachClassStartReplacesTheCompanionAllObjectsOfTheThreadShare) {
    ThreadHost thread;
    auto first = thread.create();
    const SysTools* made_by_first = thread.state.sys_tools.get();
    auto second = thread.create();
    const SysTools* made_by_second = thread.state.sys_tools.get();
    EXPECT_NE(made_by_second, made_by_first);
    EXPECT_EQ(first->Seg2Hrs(5415), u"01:30:15"); // through the second one's companion

    first.reset(); // releasing an object leaves the shared companion
    EXPECT_EQ(thread.state.sys_tools.get(), made_by_second);
    second->Class_Initialize();
    EXPECT_NE(thread.state.sys_tools.get(), made_by_second);
}

TEST(ClassLifecycle, WithoutCompanionTheObjectExistsAndOnlyCompanionCallsFail) {
    ThreadHost thread;
    thread.posix.set_companion_available(false);
    auto object = thread.create();
    EXPECT_EQ(thread.state.sys_tools, nullptr);
    EXPECT_EQ(testing::error_number([&] { object->Seg2Hrs(60); }), vb::ObjectNotSet);
    EXPECT_EQ(object->Hrs2Seg(Variant(u"01:00:00")), 3600);
}

TEST(ClassLifecycle, AFailedClassStartKeepsTheCompanionTheThreadHad) {
    ThreadHost thread;
    auto first = thread.create();
    const SysTools* working = thread.state.sys_tools.get();
    thread.posix.set_companion_available(false);
    thread.create()->Class_Initialize();
    EXPECT_EQ(thread.state.sys_tools.get(), working);
}

TEST(ClassLifecycle, ThreadsDoNotShareModuleState) {
    ThreadHost thread_a;
    ThreadHost thread_b;
    thread_b.posix.set_companion_available(false);
    auto on_a = thread_a.create();
    auto on_b = thread_b.create();
    EXPECT_EQ(on_a->Seg2Hrs(90000), u"25:00:00");
    EXPECT_THROW(on_b->Seg2Hrs(90000), VbError);
}

} // namespace
} // namespace orbek
