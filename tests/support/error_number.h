// The error number a call fails with, for table-driven tests of failures.
#pragma once

#include "automation/vb_error.h"

namespace orbek::testing {

// 0 when the call succeeds.
template <typename Call> int error_number(Call&& call) {
    try {
        call();
    } catch (const VbError& error) {
        return error.number();
    }
    return 0;
}

} // namespace orbek::testing
