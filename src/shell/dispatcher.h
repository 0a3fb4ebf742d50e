// Calls OrbekDLL methods by name with free-typed arguments, applying the method table.
#pragma once

#include "automation/vb_error.h"
#include "shell/method_table.h"

#include <cstddef>
#include <span>
#include <vector>

namespace orbek {

// A VbError that names the argument (0-based, in declared order) it came from.
class ArgumentError : public VbError {
  public:
    ArgumentError(std::size_t index, const VbError& error)
        : VbError(error.number(), error.what()), index_(index) {}
    std::size_t index() const noexcept { return index_; }

  private:
    std::size_t index_;
};

// Turns positional arguments into the declared ones: more arguments than declared is
// error 450, an omitted required one error 449, an omitted optional one takes
// omitted_argument_value, every other is converted to its declared type (ArgumentError
// on failure). A missing-argument value counts as omitted.
std::vector<Variant> bind_arguments(const MethodSpec& method, std::span<const Variant> given);

// Binds, invokes and copies the by-reference results back into `args`, in their declared
// types (also when the call fails after changing them). Unknown names are error 438.
Variant call_by_name(OrbekInterface& object, std::u16string_view name, std::vector<Variant>& args);

} // namespace orbek
