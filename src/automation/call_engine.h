// The one call engine. Every caller of a declared method (late bound through IDispatch, early
// bound through the dual interface's own table, the companion's server, the command line) places
// its arguments at their declared positions and calls through here, so all of them bind
// arguments by the same rules, see the same write-back and report the same errors.
//
// Binding follows the automation runtime: an argument left out takes its declared default (or
// the zero value of its type; a Variant arrives as the missing-argument value), every other is
// converted to its declared type, and a conversion that fails is a type mismatch (13), one out of
// range an overflow (6). After the call, exactly the by-reference arguments the method writes and
// whose value changed go back to the caller, also when the method then failed.
#pragma once

#include "automation/interface_decl.h"
#include "automation/variant.h"
#include "automation/vb_error.h"

#include <cstdint>
#include <optional>
#include <span>

namespace orbek {

struct CallOutcome {
    enum class Kind : std::uint8_t {
        Done,                // the method ran; `value` is its result
        WrongArgumentCount,  // more arguments than declared
        ArgumentNotOptional, // a required argument left out
        ArgumentMismatch,    // `argument` does not convert to its declared type
        ArgumentOverflow,    // `argument` is out of its declared type's range
        Failed,              // the method raised `error`
    };
    Kind kind = Kind::Done;
    std::size_t argument = 0; // declared position, for the argument kinds
    std::optional<VbError> error;
    Variant value;

    bool done() const { return kind == Kind::Done; }
    // The error the host's language reports for this outcome; only for one that is not done.
    VbError vb_error() const;
};

// Where the changes a method makes to its by-reference arguments go: the caller's variables.
class ArgumentSink {
  public:
    // Stores the new value of the argument at declared position `index`. Throws VbError when
    // the caller's variable cannot take it (a typed variable of another type).
    virtual void store(std::size_t index, const Variant& value) = 0;

  protected:
    ~ArgumentSink() = default;
};

// A sink for callers that keep no variables.
class DiscardingSink final : public ArgumentSink {
  public:
    void store(std::size_t, const Variant&) override {}
};

// One method of a table, typed: binds the placed arguments, runs the method on `object`,
// writes back through `sink` and fills `outcome`. Made by MethodTable (typed_call.h).
using MethodInvoker = void (*)(void* object, const MethodDecl& method,
                               std::span<const Variant> placed, ArgumentSink& sink,
                               CallOutcome& outcome);

// The value an argument left out takes: its declared default (a text default read where it
// lies), the zero value of its type when it declares none, the missing-argument value for a
// Variant, Nothing for an object.
Variant omitted_argument_value(const ArgDecl& arg);

// Case-insensitive, as late-bound callers spell names as they like.
const MethodDecl* find_method(const InterfaceDecl& declared, std::u16string_view name);
const MethodDecl* find_method(const InterfaceDecl& declared, std::int32_t dispid);
std::optional<std::size_t> find_argument(const MethodDecl& method, std::u16string_view name);

// The automation type of a declared type.
VarType var_type_of(ValueType type);
std::u16string_view value_type_name(ValueType type); // as the host's language spells it

} // namespace orbek
