#include "method_call.h"

#include "platform/win32/automation/com_variant.h"
#include "shell/dispatcher.h"

#include <new>

namespace orbek::server {
namespace {

HRESULT conversion_failure(const VbError& error) {
    return error.number() == vb::Overflow ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
}

CallOutcome argument_failure(HRESULT result, std::optional<UINT> position) {
    CallOutcome outcome;
    outcome.result = result;
    outcome.argument = position;
    return outcome;
}

CallOutcome binding_failure(const ArgumentError& error, std::span<const CallerArgument> arguments) {
    std::optional<UINT> position;
    if (error.index() < arguments.size() && arguments[error.index()].value != nullptr) {
        position = arguments[error.index()].position;
    }
    switch (error.number()) {
    case vb::ArgumentNotOptional:
        return argument_failure(DISP_E_PARAMNOTOPTIONAL, std::nullopt);
    case vb::WrongArgumentCount:
        return argument_failure(DISP_E_BADPARAMCOUNT, std::nullopt);
    default:
        return argument_failure(conversion_failure(error), position);
    }
}

void method_failed(CallOutcome& outcome, const VbError& error) {
    outcome.result = DISP_E_EXCEPTION;
    outcome.error = error;
    outcome.value = Variant();
}

// Runs the method; whatever it throws becomes the call's error.
void invoke_method(OrbekInterface& object, const MethodSpec& method, std::vector<Variant>& bound,
                   CallOutcome& outcome) {
    try {
        outcome.value = method.invoke(object, bound);
    } catch (const VbError& error) {
        method_failed(outcome, error);
    } catch (const std::bad_alloc&) {
        method_failed(outcome, VbError(vb::OutOfMemory));
    } catch (...) {
        method_failed(outcome, VbError(vb::InternalError));
    }
}

// The caller sees what the method stored in its by-reference arguments, as with any
// by-reference call, but only where the value changed: an argument the method left alone
// keeps its own type and value even if binding converted it (a number given for a text).
void write_back(const MethodSpec& method, std::span<const CallerArgument> arguments,
                const std::vector<Variant>& given, const std::vector<Variant>& before,
                const std::vector<Variant>& after, CallOutcome& outcome) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const CallerArgument& argument = arguments[i];
        if (argument.value == nullptr || method.args[i].passing != Passing::ByRef ||
            given[i].is_missing() || after[i] == before[i]) {
            continue;
        }
        try {
            com::store_through(*argument.value, after[i]);
        } catch (const VbError& error) {
            if (outcome.result == S_OK) {
                outcome = argument_failure(conversion_failure(error), argument.position);
            }
        }
    }
}

} // namespace

HRESULT place_arguments(const MethodSpec& method, const DISPPARAMS& params,
                        std::vector<CallerArgument>& placed, UINT& bad_position) {
    if ((params.cArgs > 0 && params.rgvarg == nullptr) || params.cNamedArgs > params.cArgs ||
        (params.cNamedArgs > 0 && params.rgdispidNamedArgs == nullptr)) {
        return E_INVALIDARG;
    }
    if (params.cArgs > method.args.size()) {
        return DISP_E_BADPARAMCOUNT;
    }
    placed.assign(method.args.size(), CallerArgument{});
    const UINT positional = params.cArgs - params.cNamedArgs;
    for (UINT i = 0; i < positional; ++i) {
        const UINT position = params.cArgs - 1 - i;
        placed[i] = {&params.rgvarg[position], position};
    }
    for (UINT position = 0; position < params.cNamedArgs; ++position) {
        const DISPID index = params.rgdispidNamedArgs[position];
        if (index < 0 || static_cast<std::size_t>(index) >= placed.size() ||
            placed[index].value != nullptr) {
            bad_position = position;
            return DISP_E_PARAMNOTFOUND;
        }
        placed[index] = {&params.rgvarg[position], position};
    }
    return S_OK;
}

CallOutcome call_method(OrbekInterface& object, const MethodSpec& method,
                        std::span<const CallerArgument> arguments) {
    std::vector<Variant> given;
    given.reserve(arguments.size());
    for (const CallerArgument& argument : arguments) {
        if (argument.value == nullptr) {
            given.push_back(Variant::missing());
            continue;
        }
        try {
            given.push_back(com::variant_of(*argument.value));
        } catch (const VbError& error) {
            return argument_failure(conversion_failure(error), argument.position);
        }
    }

    std::vector<Variant> bound;
    try {
        bound = bind_arguments(method, given);
    } catch (const ArgumentError& error) {
        return binding_failure(error, arguments);
    } catch (const VbError&) {
        return argument_failure(DISP_E_BADPARAMCOUNT, std::nullopt);
    }

    const std::vector<Variant> before = bound;
    CallOutcome outcome;
    invoke_method(object, method, bound, outcome);
    write_back(method, arguments, given, before, bound, outcome);
    return outcome;
}

} // namespace orbek::server
