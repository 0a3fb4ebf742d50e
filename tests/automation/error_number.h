// The error number a call fails with, for tables of failing conversions.
#pragma once

#include "automation/vb_error.h"

namespace orbek::testing {

// 0 when the call succeeds.
template <typename Call> int error_number_of(Call&& call) {
    try {
        call();
    } catch (const VbError& error) {
        return error.number();
    }
    return 0;
}

} // namespace orbek::testing
