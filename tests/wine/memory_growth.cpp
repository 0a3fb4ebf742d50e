#include "memory_growth.h"

#include <vector>

namespace wine_checks {

namespace {

// The smallest block a realistic leak here leaves: a BSTR of a few characters (the automation
// library rounds each BSTR's block up to 16 bytes), a VARIANT, an object without fields.
constexpr long long SmallestLeak = 16;

// Growth up to half the smallest leak per round is noise; a leak of one block on one path of
// one call per round already doubles it.
long long growth_limit(int rounds) {
    return rounds * SmallestLeak / 2;
}

long long heap_bytes(HANDLE heap) {
    const bool locked = HeapLock(heap) != FALSE;
    long long total = 0;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry)) {
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
            total += static_cast<long long>(entry.cbData);
        }
    }
    if (locked) {
        HeapUnlock(heap);
    }
    return total;
}

// What AddRef and Release return is meant for tests like this one: the object's count.
long reference_count(IUnknown* object) {
    object->AddRef();
    return static_cast<long>(object->Release());
}

bool within_limits(const Growth& growth, int rounds) {
    return growth.bytes <= growth_limit(rounds) && growth.references == 0;
}

std::string growth_text(const Growth& growth, int rounds) {
    return "grew " + std::to_string(growth.bytes) + " bytes, limit " +
           std::to_string(growth_limit(rounds)) + "; " + std::to_string(growth.references) +
           " references more";
}

} // namespace

long long heap_bytes_in_use() {
    // A fixed array: growing a vector here would change what is being measured.
    HANDLE heaps[256];
    const DWORD count = GetProcessHeaps(256, heaps);
    long long total = 0;
    for (DWORD index = 0; index < count && index < 256; ++index) {
        total += heap_bytes(heaps[index]);
    }
    return total;
}

Growth growth_over(int rounds, IUnknown* object, const Round& round) {
    round();
    Growth growth;
    const long long bytes_before = heap_bytes_in_use();
    const long references_before = reference_count(object);
    for (int done = 0; done < rounds; ++done) {
        growth.wrong_answers += round();
    }
    growth.references = reference_count(object) - references_before;
    growth.bytes = heap_bytes_in_use() - bytes_before;
    return growth;
}

void check_no_memory_growth(Report& report, const std::string& label, const std::string& work,
                            int rounds, IUnknown* object, const Round& round) {
    const Growth growth = growth_over(rounds, object, round);
    const std::string name = label + ": no memory growth over " + std::to_string(rounds) +
                             " rounds of " + work + " (" + growth_text(growth, rounds) + ")";
    if (growth.wrong_answers != 0) {
        report.check(name, false,
                     std::to_string(growth.wrong_answers) +
                         " calls answered otherwise than expected in the repeated rounds");
        return;
    }
    report.check(name, within_limits(growth, rounds), "something was left behind");
}

void check_measurement_sees_a_leak(Report& report, const std::string& label, int rounds,
                                   IUnknown* object, const Round& round) {
    // Kept, not lost, so that the process is clean again afterwards.
    std::vector<BSTR> kept;
    kept.reserve(static_cast<std::size_t>(rounds) + 1);
    const Growth growth = growth_over(rounds, object, [&] {
        kept.push_back(SysAllocString(L"x"));
        object->AddRef();
        return round();
    });
    for (BSTR text : kept) {
        SysFreeString(text);
        object->Release();
    }
    const std::string name = label + ": the memory check sees one BSTR and one reference " +
                             "left behind per round (" + growth_text(growth, rounds) + ")";
    report.check(name,
                 growth.wrong_answers == 0 && growth.bytes > growth_limit(rounds) &&
                     growth.references == rounds,
                 growth.wrong_answers != 0 ? "calls answered otherwise than expected"
                                           : "the leak went unseen");
}

} // namespace wine_checks
