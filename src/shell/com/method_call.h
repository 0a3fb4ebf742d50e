// One call of an OrbekDLL method with the caller's VARIANTs: the same path for late-bound
// callers (IDispatch::Invoke) and early-bound ones (the dual interface's own methods).
#pragma once

#include "automation/vb_error.h"
#include "shell/method_table.h"

#include <oaidl.h>
#include <optional>
#include <span>
#include <vector>
#include <windows.h>

namespace orbek::server {

// Where a declared argument came from: the caller's VARIANT (a value, or a reference to the
// caller's variable) and its index in DISPPARAMS. No VARIANT: the caller left it out.
struct CallerArgument {
    VARIANT* value = nullptr;
    UINT position = 0;
};

struct CallOutcome {
    // S_OK; DISP_E_BADPARAMCOUNT, DISP_E_PARAMNOTOPTIONAL, DISP_E_TYPEMISMATCH or
    // DISP_E_OVERFLOW for arguments; DISP_E_EXCEPTION when the method itself failed.
    HRESULT result = S_OK;
    std::optional<UINT> argument; // DISPPARAMS index of the argument at fault
    std::optional<VbError> error; // the method's error, with DISP_E_EXCEPTION
    Variant value;                // the method's result, with S_OK
};

// Puts the arguments of DISPPARAMS at their declared places: positional ones arrive last
// first, named ones by the DISPID that GetIDsOfNames gave their name (the argument's
// index). Fails with E_INVALIDARG for malformed DISPPARAMS, DISP_E_BADPARAMCOUNT for too
// many arguments and DISP_E_PARAMNOTFOUND (with `bad_position`) for a named argument the
// method does not have or that is given twice.
HRESULT place_arguments(const MethodSpec& method, const DISPPARAMS& params,
                        std::vector<CallerArgument>& placed, UINT& bad_position);

// Reads the arguments, binds them to their declared types, calls the method and writes
// each by-reference argument whose value the method changed back into the caller's
// variable, in that variable's own type; also when the method fails afterwards.
CallOutcome call_method(OrbekInterface& object, const MethodSpec& method,
                        std::span<const CallerArgument> arguments);

} // namespace orbek::server
