#include "platform/win32/automation/dispatch_call.h"

#include "platform/win32/automation/com_error.h"
#include "platform/win32/automation/com_variant.h"

namespace orbek::com {
namespace {

HRESULT argument_failure(CallOutcome::Kind kind) {
    switch (kind) {
    case CallOutcome::Kind::WrongArgumentCount:
        return DISP_E_BADPARAMCOUNT;
    case CallOutcome::Kind::ArgumentNotOptional:
        return DISP_E_PARAMNOTOPTIONAL;
    case CallOutcome::Kind::ArgumentOverflow:
        return DISP_E_OVERFLOW;
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

// The by-reference slot an early-bound caller's [out, retval] points at holds garbage on entry.
void clear_result_slot(const VARIANT& result) {
    void* slot = V_BYREF(&result);
    switch (V_VT(&result) & VT_TYPEMASK) {
    case VT_VARIANT:
        VariantInit(static_cast<VARIANT*>(slot));
        break;
    case VT_BSTR:
        *static_cast<BSTR*>(slot) = nullptr;
        break;
    case VT_CY:
    case VT_R8:
        *static_cast<LONGLONG*>(slot) = 0;
        break;
    case VT_I4:
        *static_cast<LONG*>(slot) = 0;
        break;
    case VT_I2:
    case VT_BOOL:
        *static_cast<SHORT*>(slot) = 0;
        break;
    default:
        break;
    }
}

} // namespace

HRESULT place_arguments(const MethodDecl& method, const DISPPARAMS& params,
                        CallerArguments& arguments, UINT& bad_position) {
    if ((params.cArgs > 0 && params.rgvarg == nullptr) || params.cNamedArgs > params.cArgs ||
        (params.cNamedArgs > 0 && params.rgdispidNamedArgs == nullptr)) {
        return E_INVALIDARG;
    }
    if (params.cArgs > method.args.size()) {
        return DISP_E_BADPARAMCOUNT;
    }
    const UINT positional = params.cArgs - params.cNamedArgs;
    for (UINT i = 0; i < positional; ++i) {
        const UINT position = params.cArgs - 1 - i;
        arguments.given[i] = &params.rgvarg[position];
        arguments.position[i] = position;
    }
    for (UINT position = 0; position < params.cNamedArgs; ++position) {
        const DISPID index = params.rgdispidNamedArgs[position];
        if (index < 0 || static_cast<std::size_t>(index) >= method.args.size() ||
            arguments.given[index] != nullptr) {
            bad_position = position;
            return DISP_E_PARAMNOTFOUND;
        }
        arguments.given[index] = &params.rgvarg[position];
        arguments.position[index] = position;
    }
    return S_OK;
}

HRESULT read_arguments(const MethodDecl& method, CallerArguments& arguments, bool copy_texts,
                       UINT& bad_position) {
    arguments.value.clear();
    for (std::size_t i = 0; i < method.args.size(); ++i) {
        const VARIANT* given = arguments.given[i];
        if (given == nullptr) {
            arguments.value.push_back(Variant::missing());
            continue;
        }
        try {
            arguments.value.push_back(copy_texts ? variant_of(*given) : argument_of(*given));
        } catch (const VbError&) {
            bad_position = arguments.position[i];
            return DISP_E_TYPEMISMATCH;
        }
    }
    return S_OK;
}

void CallerVariables::store(std::size_t index, const Variant& value) {
    store_through(*arguments_.given[index], value);
}

HRESULT late_bound_outcome(const CallOutcome& outcome, const CallerArguments& arguments,
                           VARIANT* result, EXCEPINFO* exception, UINT* argument_error,
                           const wchar_t* source, REFIID iid) {
    switch (outcome.kind) {
    case CallOutcome::Kind::Done:
        if (result != nullptr) {
            try {
                to_com(outcome.value, result);
            } catch (const VbError&) {
                return DISP_E_TYPEMISMATCH;
            }
        }
        return S_OK;
    case CallOutcome::Kind::Failed: {
        // As the system's own dispatch does: DISP_E_EXCEPTION, with the error in EXCEPINFO
        // when the caller gave one and in the thread's error information always.
        const VbError error = outcome.vb_error();
        report_error(error, source, iid);
        if (exception != nullptr) {
            fill_excepinfo(*exception, error, source);
        }
        return DISP_E_EXCEPTION;
    }
    case CallOutcome::Kind::ArgumentMismatch:
    case CallOutcome::Kind::ArgumentOverflow:
        if (argument_error != nullptr && arguments.given[outcome.argument] != nullptr) {
            *argument_error = arguments.position[outcome.argument];
        }
        return argument_failure(outcome.kind);
    default:
        return argument_failure(outcome.kind);
    }
}

HRESULT early_bound_outcome(const CallOutcome& outcome, const VARIANT* result,
                            const wchar_t* source, REFIID iid) {
    if (!outcome.done()) {
        return report_error(outcome.vb_error(), source, iid);
    }
    if (result != nullptr) {
        clear_result_slot(*result);
        try {
            store_through(*result, outcome.value);
        } catch (const VbError& error) {
            return report_error(error, source, iid);
        }
    }
    return S_OK;
}

} // namespace orbek::com
