// The typed half of the call engine: a table that pairs each declared method with the member
// function that implements it, checks at compile time that the function takes each argument in
// the shape its declaration asks for, and binds, calls and writes back without a copy of any
// argument the method cannot change.
//
// The shape of each declared argument in the implementing function:
//   Variant                 const Variant&   (Variant& when the method writes it back)
//   Object                  const Variant&   (an object reference, or Nothing)
//   Text                    TextView         (Text& when the method writes it back)
//   Long, Integer, Byte     std::int32_t, std::int16_t, std::uint8_t
//   Double, Currency        double, Currency
//   Boolean                 bool
// and of its result: std::int32_t, Text, bool, Currency, double, Variant, or void for none.
#pragma once

#include "automation/call_engine.h"
#include "automation/conversions.h"

#include <array>
#include <new>
#include <tuple>
#include <type_traits>
#include <utility>

namespace orbek {

namespace typed_call {

// A parameter's slot: the argument bound to the parameter's type for the length of the call.
template <typename Param> struct Slot;

// An argument left out binds its declared default like a given value.
template <typename Self> struct Binds {
    void bind_omitted(const ArgDecl& arg) {
        static_cast<Self*>(this)->bind(omitted_argument_value(arg), arg);
    }
};

// Arguments the method only reads give back no new value.
struct ReadOnly {};

template <typename Slot> constexpr bool writes_back = !std::is_base_of_v<ReadOnly, Slot>;

template <> struct Slot<const Variant&> : ReadOnly {
    const Variant* bound = nullptr;
    std::optional<Variant> own; // an object reference, or the value of an argument left out
    void bind(const Variant& given, const ArgDecl& arg) {
        if (arg.type == ValueType::Object) {
            bound = &own.emplace(convert_to(given, VarType::Object));
        } else {
            bound = &given; // read where it lies, borrowed text and all
        }
    }
    void bind_omitted(const ArgDecl& arg) { bound = &own.emplace(omitted_argument_value(arg)); }
    const Variant& get() { return *bound; }
};

template <> struct Slot<Variant&> : Binds<Slot<Variant&>> {
    Variant value;
    void bind(const Variant& given, const ArgDecl&) { value = given.owned(); }
    Variant& get() { return value; }
    std::optional<Variant> changed(const Variant& given) const {
        if (value == given) {
            return std::nullopt;
        }
        return value;
    }
};

template <> struct Slot<TextView> : ReadOnly, Binds<Slot<TextView>> {
    Text storage; // only for an argument that is not a text already
    TextView view;
    void bind(const Variant& given, const ArgDecl&) { view = text_view_of(given, storage); }
    TextView get() { return view; }
};

template <> struct Slot<Text&> : Binds<Slot<Text&>> {
    Text value;
    void bind(const Variant& given, const ArgDecl&) { value = to_text(given); }
    Text& get() { return value; }
    std::optional<Variant> changed(const Variant& given) const {
        Text storage;
        if (value == text_view_of(given, storage)) {
            return std::nullopt;
        }
        return Variant(value);
    }
};

template <typename Number, Number (*Convert)(const Variant&)>
struct NumberSlot : ReadOnly, Binds<NumberSlot<Number, Convert>> {
    Number value{};
    void bind(const Variant& given, const ArgDecl&) { value = Convert(given); }
    Number get() { return value; }
};

template <> struct Slot<std::int32_t> : NumberSlot<std::int32_t, to_long> {};
template <> struct Slot<std::int16_t> : NumberSlot<std::int16_t, to_integer> {};
template <> struct Slot<std::uint8_t> : NumberSlot<std::uint8_t, to_byte> {};
template <> struct Slot<double> : NumberSlot<double, to_double> {};
template <> struct Slot<Currency> : NumberSlot<Currency, to_currency> {};
template <> struct Slot<bool> : NumberSlot<bool, to_boolean> {};

// The parameter type a declared argument asks for.
enum class Shape {
    VariantIn,
    VariantOut,
    TextIn,
    TextOut,
    Long,
    Integer,
    Byte,
    Double,
    Money,
    Flag
};

constexpr Shape shape_of(const ArgDecl& arg) {
    const bool out = arg.access == Access::InOut;
    switch (arg.type) {
    case ValueType::Variant:
        return out ? Shape::VariantOut : Shape::VariantIn;
    case ValueType::Object:
        return Shape::VariantIn;
    case ValueType::Text:
        return out ? Shape::TextOut : Shape::TextIn;
    case ValueType::Long:
        return Shape::Long;
    case ValueType::Integer:
        return Shape::Integer;
    case ValueType::Byte:
        return Shape::Byte;
    case ValueType::Double:
        return Shape::Double;
    case ValueType::Currency:
        return Shape::Money;
    case ValueType::Boolean:
        return Shape::Flag;
    }
    return Shape::VariantIn;
}

template <typename Param> constexpr Shape shape_of_param() {
    if constexpr (std::is_same_v<Param, const Variant&>)
        return Shape::VariantIn;
    else if constexpr (std::is_same_v<Param, Variant&>)
        return Shape::VariantOut;
    else if constexpr (std::is_same_v<Param, TextView>)
        return Shape::TextIn;
    else if constexpr (std::is_same_v<Param, Text&>)
        return Shape::TextOut;
    else if constexpr (std::is_same_v<Param, std::int32_t>)
        return Shape::Long;
    else if constexpr (std::is_same_v<Param, std::int16_t>)
        return Shape::Integer;
    else if constexpr (std::is_same_v<Param, std::uint8_t>)
        return Shape::Byte;
    else if constexpr (std::is_same_v<Param, double>)
        return Shape::Double;
    else if constexpr (std::is_same_v<Param, Currency>)
        return Shape::Money;
    else {
        static_assert(std::is_same_v<Param, bool>, "not a shape a declared argument can take");
        return Shape::Flag;
    }
}

template <typename Result> constexpr bool result_matches(std::optional<ValueType> declared) {
    if constexpr (std::is_void_v<Result>)
        return !declared;
    else if constexpr (std::is_same_v<Result, std::int32_t>)
        return declared == ValueType::Long;
    else if constexpr (std::is_same_v<Result, Text>)
        return declared == ValueType::Text;
    else if constexpr (std::is_same_v<Result, std::int16_t>)
        return declared == ValueType::Integer;
    else if constexpr (std::is_same_v<Result, bool>)
        return declared == ValueType::Boolean;
    else if constexpr (std::is_same_v<Result, Currency>)
        return declared == ValueType::Currency;
    else if constexpr (std::is_same_v<Result, double>)
        return declared == ValueType::Double;
    else
        return std::is_same_v<Result, Variant> && declared == ValueType::Variant;
}

template <typename Member> struct MemberTraits;
template <typename Class, typename Result, typename... Params>
struct MemberTraits<Result (Class::*)(Params...)> {
    using Object = Class;
    using Return = Result;
    using Parameters = std::tuple<Params...>;
    using Slots = std::tuple<Slot<Params>...>;
    static constexpr std::size_t arity = sizeof...(Params);
};

// VB error of a conversion while binding: out of range stays an overflow, anything else
// (Null, an object, a text that is no number) is a type mismatch.
inline void binding_failed(const VbError& error, std::size_t index, CallOutcome& outcome) {
    outcome.kind = error.number() == vb::Overflow ? CallOutcome::Kind::ArgumentOverflow
                                                  : CallOutcome::Kind::ArgumentMismatch;
    outcome.argument = index;
}

inline void method_failed(CallOutcome& outcome, VbError error) {
    outcome.kind = CallOutcome::Kind::Failed;
    outcome.error = std::move(error);
    outcome.value = Variant();
}

template <const InterfaceDecl& Interface, std::size_t Index, auto Method> struct Invoker {
    using Traits = MemberTraits<decltype(Method)>;
    static constexpr const MethodDecl& declared = Interface.methods[Index];

    template <std::size_t... Is> static constexpr bool params_match(std::index_sequence<Is...>) {
        return ((shape_of_param<std::tuple_element_t<Is, typename Traits::Parameters>>() ==
                 shape_of(declared.args[Is])) &&
                ...);
    }

    static void invoke(void* object, const MethodDecl& method, std::span<const Variant> placed,
                       ArgumentSink& sink, CallOutcome& outcome) {
        static_assert(Traits::arity == declared.args.size(),
                      "the implementation takes as many parameters as the method declares");
        static_assert(result_matches<typename Traits::Return>(declared.result),
                      "the implementation returns what the method declares");
        static_assert(params_match(std::make_index_sequence<Traits::arity>{}),
                      "each parameter has the shape its declared argument asks for");
        run(*static_cast<typename Traits::Object*>(object), method, placed, sink, outcome,
            std::make_index_sequence<Traits::arity>{});
    }

  private:
    // Every new value is worked out before the first goes back: storing one may free a text
    // that another argument still reads (the same variable passed twice).
    template <std::size_t... Is>
    static void write_back(typename Traits::Slots& slots, std::span<const Variant> placed,
                           ArgumentSink& sink, CallOutcome& outcome, std::index_sequence<Is...>) {
        std::array<std::optional<Variant>, sizeof...(Is)> changed;
        auto work_out = [&](auto& slot, std::size_t i) {
            if constexpr (writes_back<std::remove_reference_t<decltype(slot)>>) {
                if (!placed[i].is_missing()) {
                    changed[i] = slot.changed(placed[i]);
                }
            }
        };
        (work_out(std::get<Is>(slots), Is), ...);
        for (std::size_t i = 0; i < sizeof...(Is); ++i) {
            if (!changed[i]) {
                continue;
            }
            try {
                sink.store(i, *changed[i]);
            } catch (const VbError& error) {
                if (outcome.done()) {
                    binding_failed(error, i, outcome);
                }
            }
        }
    }

    template <std::size_t... Is>
    static void run(typename Traits::Object& object, const MethodDecl& method,
                    std::span<const Variant> placed, ArgumentSink& sink, CallOutcome& outcome,
                    std::index_sequence<Is...>) {
        typename Traits::Slots slots;
        for (std::size_t i = 0; i < sizeof...(Is); ++i) {
            if (placed[i].is_missing() && !method.args[i].optional) {
                outcome.kind = CallOutcome::Kind::ArgumentNotOptional;
                outcome.argument = i;
                return;
            }
        }
        std::size_t binding = 0;
        try {
            ((binding = Is, placed[Is].is_missing()
                                ? std::get<Is>(slots).bind_omitted(method.args[Is])
                                : std::get<Is>(slots).bind(placed[Is], method.args[Is])),
             ...);
        } catch (const VbError& error) {
            binding_failed(error, binding, outcome);
            return;
        }

        try {
            if constexpr (std::is_void_v<typename Traits::Return>) {
                (object.*Method)(std::get<Is>(slots).get()...);
                outcome.value = Variant();
            } else {
                // A result may hold an argument's borrowed text: own it before anything goes back.
                outcome.value = Variant((object.*Method)(std::get<Is>(slots).get()...));
                outcome.value.own();
            }
            outcome.kind = CallOutcome::Kind::Done;
        } catch (const VbError& error) {
            method_failed(outcome, error);
        } catch (const std::bad_alloc&) {
            method_failed(outcome, VbError(vb::OutOfMemory));
        } catch (...) {
            method_failed(outcome, VbError(vb::InternalError));
        }

        if constexpr ((writes_back<std::tuple_element_t<Is, typename Traits::Slots>> || ...)) {
            write_back(slots, placed, sink, outcome, std::index_sequence<Is...>{});
        }
    }
};

} // namespace typed_call

// The implementation of a declared interface: one member function for each declared method, in
// declaration order. The compiler checks every function against its row.
template <const InterfaceDecl& Interface, auto... Methods> class MethodTable {
  public:
    static_assert(sizeof...(Methods) == Interface.methods.size(),
                  "one member function for each declared method, in declaration order");

    static constexpr const InterfaceDecl& declaration = Interface;
    // The class whose member functions implement the methods.
    using Implementation = typename typed_call::MemberTraits<decltype((Methods, ...))>::Object;
    static_assert((std::is_same_v<typename typed_call::MemberTraits<decltype(Methods)>::Object,
                                  Implementation> &&
                   ...),
                  "one class implements every method");

    // Calls `method` (a row of the declaration) on `object` with its arguments at their
    // declared places (Variant::missing() for those left out; exactly one for each argument).
    static CallOutcome call(Implementation& object, const MethodDecl& method,
                            std::span<const Variant> placed, ArgumentSink& sink) {
        CallOutcome outcome;
        const auto index = static_cast<std::size_t>(&method - Interface.methods.data());
        invokers[index](&object, method, placed, sink, outcome);
        return outcome;
    }

  private:
    template <std::size_t... Is>
    static constexpr std::array<MethodInvoker, sizeof...(Methods)>
    make_invokers(std::index_sequence<Is...>) {
        return {&typed_call::Invoker<Interface, Is, Methods>::invoke...};
    }
    static constexpr std::array<MethodInvoker, sizeof...(Methods)> invokers =
        make_invokers(std::make_index_sequence<sizeof...(Methods)>{});
};

} // namespace orbek
