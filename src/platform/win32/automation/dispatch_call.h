// The COM side of a call through the call engine: the caller's VARIANTs placed at their
// declared positions and read in place, by-reference changes stored back into the caller's
// variables, and the engine's outcome told the way a late-bound (HRESULT, EXCEPINFO, argument
// index) or an early-bound caller (HRESULT and the thread's error information) expects.
#pragma once

#include "automation/call_engine.h"

#include <array>
#include <new>
#include <oaidl.h>
#include <span>
#include <windows.h>

namespace orbek::com {

// More than any declared method of ours takes.
inline constexpr std::size_t MaxArguments = 12;

// What each argument of a call holds, made only for the arguments the method declares (a
// call is made often and most methods take one or two).
class ArgumentValues {
  public:
    ArgumentValues() = default;
    ~ArgumentValues() { clear(); }
    ArgumentValues(const ArgumentValues&) = delete;
    ArgumentValues& operator=(const ArgumentValues&) = delete;

    void push_back(Variant value) {
        new (storage_ + count_ * sizeof(Variant)) Variant(std::move(value));
        ++count_;
    }
    void clear() {
        for (std::size_t i = count_; i > 0; --i) {
            std::launder(reinterpret_cast<Variant*>(storage_ + (i - 1) * sizeof(Variant)))
                ->~Variant();
        }
        count_ = 0;
    }
    std::span<const Variant> values() const {
        return {std::launder(reinterpret_cast<const Variant*>(storage_)), count_};
    }

  private:
    alignas(Variant) unsigned char storage_[MaxArguments * sizeof(Variant)];
    std::size_t count_ = 0;
};

// One call's arguments at their declared positions.
struct CallerArguments {
    std::array<VARIANT*, MaxArguments> given{}; // null: left out
    std::array<UINT, MaxArguments> position{};  // the argument's index in DISPPARAMS
    ArgumentValues value;                       // what each holds; missing where left out
};

// Puts the arguments of DISPPARAMS at their declared places: positional ones arrive last
// first, named ones by the DISPID that GetIDsOfNames gave their name (the argument's index).
// E_INVALIDARG for malformed DISPPARAMS, DISP_E_BADPARAMCOUNT for too many arguments,
// DISP_E_PARAMNOTFOUND (with `bad_position`) for a named argument the method does not have or
// one given twice.
HRESULT place_arguments(const MethodDecl& method, const DISPPARAMS& params,
                        CallerArguments& arguments, UINT& bad_position);

// Reads each placed argument (texts where they lie, or copied when `copy_texts`: for methods
// that let the host's own code run, which could free them). An argument that cannot be read (an
// array, a reference to a reference) is DISP_E_TYPEMISMATCH at its position.
HRESULT read_arguments(const MethodDecl& method, CallerArguments& arguments, bool copy_texts,
                       UINT& bad_position);

// Stores what the method changed through the caller's by-reference VARIANT, in the type of the
// caller's variable.
class CallerVariables final : public ArgumentSink {
  public:
    explicit CallerVariables(CallerArguments& arguments) : arguments_(arguments) {}
    void store(std::size_t index, const Variant& value) override;

  private:
    CallerArguments& arguments_;
};

// The outcome for a late-bound caller: S_OK with the result in `result` (when it asked for one),
// DISP_E_EXCEPTION with EXCEPINFO for the method's own error, or the DISP_E_ failure of an
// argument with its DISPPARAMS index in `argument_error`.
HRESULT late_bound_outcome(const CallOutcome& outcome, const CallerArguments& arguments,
                           VARIANT* result, EXCEPINFO* exception, UINT* argument_error,
                           const wchar_t* source, REFIID iid);

// The outcome for an early-bound caller: S_OK with the result stored through `result` (a
// VT_BYREF reference to the caller's [out, retval] slot, or none), or the error's HRESULT
// 0x800A0000 | number with the thread's error information set.
HRESULT early_bound_outcome(const CallOutcome& outcome, const VARIANT* result,
                            const wchar_t* source, REFIID iid);

} // namespace orbek::com
