// Whether repeating a piece of client work makes the process hold more heap memory or the
// object more references: the check that no call into a COM object, whatever its arguments,
// leaves anything behind.
#pragma once

#include "host_checks.h"

#include <functional>
#include <string>

namespace wine_checks {

// Bytes in the busy blocks of every heap of the process. BSTRs and CoTaskMemAlloc take theirs
// from the process heap, new and malloc from the C runtime's heap: both are walked.
long long heap_bytes_in_use();

// One round of client work; returns how many of its calls answered otherwise than expected.
using Round = std::function<int()>;

struct Growth {
    long long bytes = 0;   // heap bytes after the measured rounds minus before them
    long references = 0;   // the object's references after the measured rounds minus before
    int wrong_answers = 0; // over the measured rounds
};

// Runs `round` once to fill what lives as long as the process (type information, the C
// runtime's buffers, the thread's last error information), then `rounds` times between two
// measurements of the heaps and of the references `object` holds.
Growth growth_over(int rounds, IUnknown* object, const Round& round);

// "<label>: no memory growth over <rounds> rounds of <work>": fails when the heap grew by
// more than a leak of half the smallest heap block per round would make it, or when the
// object holds a reference more.
void check_no_memory_growth(Report& report, const std::string& label, const std::string& work,
                            int rounds, IUnknown* object, const Round& round);

// The measurement's own proof, made in the process it serves: the same rounds with one short
// BSTR and one reference to `object` left behind in each must fail the check above.
void check_measurement_sees_a_leak(Report& report, const std::string& label, int rounds,
                                   IUnknown* object, const Round& round);

} // namespace wine_checks
