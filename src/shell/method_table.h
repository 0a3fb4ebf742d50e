// The interface of OrbekDLL declared once: every method in interface order, with its
// arguments, their types, passing, optional flags and defaults, its result and its DISPID.
// The COM dispatcher, the type library and the command line all read it.
#pragma once

#include "automation/variant.h"
#include "shell/orbek_interface.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace orbek {

enum class ValueType : std::uint8_t {
    Variant,
    Text,
    Long,
    Integer,
    Byte,
    Double,
    Currency,
    Boolean,
    Object,
};

enum class Passing : std::uint8_t { ByRef, ByVal };

// A declared default: none, a text, or a number (booleans as 0/-1).
struct DefaultValue {
    enum class Kind : std::uint8_t { None, Text, Number } kind = Kind::None;
    std::u16string_view text;
    std::int32_t number = 0;
};

struct ArgSpec {
    std::u16string_view name;
    ValueType type;
    Passing passing = Passing::ByRef;
    bool optional = false;
    DefaultValue default_value;
};

// Calls the typed method with arguments already of their declared types, in order.
// By-reference arguments are stored back into `args`, also when the method throws.
using Invoker = Variant (*)(OrbekInterface& object, std::span<Variant> args);

struct MethodSpec {
    std::u16string_view name;
    std::int32_t dispid;
    std::span<const ArgSpec> args;
    std::optional<ValueType> result; // nullopt: no result
    Invoker invoke;
};

inline constexpr std::int32_t FirstMethodDispid = 0x60030000;

std::span<const MethodSpec> orbek_methods();

// Case-insensitive, as late-bound callers spell names as they like.
const MethodSpec* find_method(std::u16string_view name);
std::optional<std::size_t> find_argument(const MethodSpec& method, std::u16string_view name);

// The value an omitted optional argument takes: its declared default, the zero value of
// its type when it declares none, or the missing-argument value for a variant.
Variant omitted_argument_value(const ArgSpec& arg);

// The automation type a value of the declared type is held in.
VarType var_type_of(ValueType type);

std::u16string_view value_type_name(ValueType type); // as the host's language spells it

} // namespace orbek
