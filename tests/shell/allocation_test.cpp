// The engine allocates nothing of its own on a call: arguments are read where they lie, the
// binding lives on the stack, and only what a method itself makes (a result text longer than a
// string keeps inline) reaches the heap.
#include "support/thread_host.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <new>

namespace {
std::size_t allocations = 0;
}

// The replacements below pair malloc with free themselves; the compiler cannot see that every
// new of this program comes through them.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace orbek {
namespace {

TEST(Allocations, TheHotMethodsAllocateNothingThroughTheEngine) {
    testing::ThreadHost thread;
    auto object = thread.create();
    const Text time = u"01:30:15";
    struct Case {
        const char16_t* method;
        std::vector<Variant> placed;
        std::size_t allocations;
    };
    const Case cases[] = {
        {u"Hrs2Seg", {Variant::borrowed_text(time)}, 0},
        {u"MasDeUnDia", {Variant(std::int32_t{86400})}, 0},
        {u"MasDeUnDia", {Variant::borrowed_text(u"86400")}, 0},
        // Only the sum's own eight-character result text.
        {u"SumaHoras",
         {Variant::borrowed_text(u"1:00"), Variant::borrowed_text(u"2"), Variant::missing(),
          Variant::missing(), Variant::missing(), Variant::missing()},
         1},
    };
    for (const Case& c : cases) {
        const MethodDecl& method = *find_method(OrbekDllInterface, c.method);
        DiscardingSink sink;
        const std::size_t before = allocations;
        const CallOutcome outcome = OrbekMethods::call(*object, method, c.placed, sink);
        EXPECT_EQ(allocations - before, c.allocations) << to_utf8(c.method);
        EXPECT_TRUE(outcome.done());
    }
}

} // namespace
} // namespace orbek
