// How a dual automation interface is declared: its methods with their DISPIDs, arguments,
// types, passing, optional flags and defaults, and the identities of the library and class
// that carry it. Plain constant data, so that one declaration serves the type library, the
// table of methods, the dispatcher and the command line alike (a build tool reads it too).
#pragma once

#include <array>
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

// Whether the method stores into a by-reference argument: only then does the caller's
// variable ever change, and only then is its value compared after the call.
enum class Access : std::uint8_t { In, InOut };

// A declared default: none, a text, or a number (booleans as 0 and -1).
struct DefaultValue {
    enum class Kind : std::uint8_t { None, Text, Number } kind = Kind::None;
    std::u16string_view text;
    std::int32_t number = 0;
};

struct ArgDecl {
    std::u16string_view name;
    ValueType type;
    Passing passing = Passing::ByRef;
    bool optional = false;
    DefaultValue default_value;
    Access access = Access::In;
};

struct MethodDecl {
    std::u16string_view name;
    std::int32_t dispid;
    std::span<const ArgDecl> args;
    std::optional<ValueType> result; // nullopt: a Sub, no result
    std::u16string_view help;
    // The method lets the host's own code run before it returns (window events, the host's
    // objects), code that may change or free the caller's variables: its arguments are copied
    // rather than read where they lie.
    bool reentrant = false;
};

struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::array<std::uint8_t, 8> data4;
};

// A type library holding one dual interface and the creatable class that offers it.
struct InterfaceDecl {
    std::u16string_view library_name; // also the first half of the ProgID
    std::u16string_view library_help;
    Guid library_id;
    std::uint32_t locale;
    std::u16string_view interface_name;
    Guid interface_id;
    std::u16string_view class_name;
    Guid class_id;
    std::span<const MethodDecl> methods;
};

// Building blocks for the declarations.
namespace decl {

constexpr DefaultValue text_default(std::u16string_view text) {
    return {DefaultValue::Kind::Text, text, 0};
}
constexpr DefaultValue number_default(std::int32_t number) {
    return {DefaultValue::Kind::Number, {}, number};
}

constexpr ArgDecl required(std::u16string_view name, ValueType type,
                           Passing passing = Passing::ByRef) {
    return {name, type, passing, false, {}, Access::In};
}
constexpr ArgDecl optional(std::u16string_view name, ValueType type,
                           DefaultValue default_value = {}, Passing passing = Passing::ByRef) {
    return {name, type, passing, true, default_value, Access::In};
}
// The same argument, written back into the caller's variable by the method.
constexpr ArgDecl written(ArgDecl arg) {
    arg.access = Access::InOut;
    return arg;
}

} // namespace decl

} // namespace orbek
