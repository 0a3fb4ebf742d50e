// A free-typed automation value, the portable counterpart of a VARIANT.
#pragma once

#include "automation/currency.h"
#include "automation/text.h"

#include <cstdint>
#include <memory>
#include <type_traits>

namespace orbek {

class AutomationObject;

// The numbers are those of the automation VARTYPE, so the two sides map one to one.
enum class VarType : std::uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10,
    Boolean = 11,
    Byte = 17,
};

// The error value that stands for an omitted optional argument (DISP_E_PARAMNOTFOUND).
inline constexpr std::int32_t MissingArgumentCode = static_cast<std::int32_t>(0x80020004u);

// Laid out like a VARIANT (a type tag and the value it selects) rather than as a std::variant:
// values are made, copied and dropped on every call, and a tag with plain members keeps each of
// those a handful of instructions.
class Variant {
  public:
    struct NullValue {
        friend bool operator==(NullValue, NullValue) = default;
    };
    struct ErrorValue {
        std::int32_t code;
        friend bool operator==(ErrorValue, ErrorValue) = default;
    };
    struct DateValue {
        double serial;
        friend bool operator==(DateValue, DateValue) = default;
    };
    // A text that stays the caller's: the value reads it where it lies, without a copy, so it
    // must not outlive the call that received it. owned() makes a value that may.
    struct BorrowedText {
        const char16_t* data;
        std::size_t size;
    };
    using ObjectRef = std::shared_ptr<AutomationObject>; // null pointer = Nothing

    Variant() = default;
    // Only the member the type selects is carried over: most values hold no text and no
    // object, and skipping those keeps a copy or a move a few instructions.
    Variant(const Variant& other) { assign(other); }
    Variant(Variant&& other) noexcept { assign(std::move(other)); }
    Variant& operator=(const Variant& other) {
        if (this != &other) {
            assign(other);
        }
        return *this;
    }
    Variant& operator=(Variant&& other) noexcept {
        if (this != &other) {
            assign(std::move(other));
        }
        return *this;
    }
    ~Variant() = default;

    Variant(bool value) : type_(VarType::Boolean) { scalar_.boolean = value; }
    Variant(std::uint8_t value) : type_(VarType::Byte) { scalar_.byte = value; }
    Variant(std::int16_t value) : type_(VarType::Integer) { scalar_.integer = value; }
    Variant(std::int32_t value) : type_(VarType::Long) { scalar_.whole = value; }
    Variant(float value) : type_(VarType::Single) { scalar_.single = value; }
    Variant(double value) : type_(VarType::Double) { scalar_.real = value; }
    Variant(Currency value) : type_(VarType::Currency) { scalar_.money = value; }
    Variant(Text value) : type_(VarType::String), text_(std::move(value)) {}
    Variant(const char16_t* value) : type_(VarType::String), text_(value) {}
    Variant(ObjectRef value) : type_(VarType::Object), object_(std::move(value)) {}
    Variant(DateValue value) : type_(VarType::Date) { scalar_.date = value; }
    Variant(ErrorValue value) : type_(VarType::Error) { scalar_.error = value; }
    Variant(NullValue) : type_(VarType::Null) {}
    Variant(BorrowedText value) : type_(VarType::String), borrowed_(true) {
        scalar_.borrowed = value;
    }

    static Variant null() { return Variant(NullValue{}); }
    static Variant missing() { return Variant(ErrorValue{MissingArgumentCode}); }
    static Variant date(double serial) { return Variant(DateValue{serial}); }
    static Variant borrowed_text(TextView text) {
        return Variant(BorrowedText{text.data(), text.size()});
    }

    VarType type() const { return type_; }
    bool is_empty() const { return type_ == VarType::Empty; }
    bool is_null() const { return type_ == VarType::Null; }
    bool is_missing() const {
        return type_ == VarType::Error && scalar_.error.code == MissingArgumentCode;
    }
    // A String value, whether it owns its text or borrows it.
    bool is_text() const { return type_ == VarType::String; }
    // The text of a String value; asking another value for it is a programming error.
    TextView text() const {
        return borrowed_ ? TextView(scalar_.borrowed.data, scalar_.borrowed.size) : text_;
    }
    // The same value owning everything it refers to.
    Variant owned() const {
        Variant copy = *this;
        copy.own();
        return copy;
    }
    void own() {
        if (borrowed_) {
            text_.assign(scalar_.borrowed.data, scalar_.borrowed.size);
            borrowed_ = false;
        }
    }

    // Typed access without conversion to the value's own type; asking for another type is a
    // programming error.
    template <typename T> bool holds() const;
    template <typename T> const T& as() const { return const_cast<Variant*>(this)->as<T>(); }
    template <typename T> T& as();

    // Texts compare by their characters, borrowed or not; other values by type and value.
    friend bool operator==(const Variant& a, const Variant& b);

  private:
    template <typename Other> void assign(Other&& other) {
        type_ = other.type_;
        borrowed_ = other.borrowed_;
        scalar_ = other.scalar_;
        if (type_ == VarType::String && !borrowed_) {
            text_ = std::forward<Other>(other).text_;
        } else if (!text_.empty()) {
            text_.clear();
        }
        if (type_ == VarType::Object) {
            object_ = std::forward<Other>(other).object_;
        } else if (object_) {
            object_.reset();
        }
    }

    union Scalar {
        bool boolean;
        std::uint8_t byte;
        std::int16_t integer;
        std::int32_t whole;
        float single;
        double real;
        Currency money;
        DateValue date;
        ErrorValue error;
        NullValue null;
        BorrowedText borrowed;
        Scalar() : borrowed{nullptr, 0} {}
    };
    static_assert(std::is_trivially_copyable_v<Scalar>);

    VarType type_ = VarType::Empty;
    bool borrowed_ = false; // a String whose text is scalar_.borrowed, not text_
    Scalar scalar_;
    Text text_;
    ObjectRef object_;
};

template <typename T> bool Variant::holds() const {
    if constexpr (std::is_same_v<T, Text>)
        return type_ == VarType::String && !borrowed_;
    else if constexpr (std::is_same_v<T, BorrowedText>)
        return type_ == VarType::String && borrowed_;
    else if constexpr (std::is_same_v<T, ObjectRef>)
        return type_ == VarType::Object;
    else if constexpr (std::is_same_v<T, bool>)
        return type_ == VarType::Boolean;
    else if constexpr (std::is_same_v<T, std::uint8_t>)
        return type_ == VarType::Byte;
    else if constexpr (std::is_same_v<T, std::int16_t>)
        return type_ == VarType::Integer;
    else if constexpr (std::is_same_v<T, std::int32_t>)
        return type_ == VarType::Long;
    else if constexpr (std::is_same_v<T, float>)
        return type_ == VarType::Single;
    else if constexpr (std::is_same_v<T, double>)
        return type_ == VarType::Double;
    else if constexpr (std::is_same_v<T, Currency>)
        return type_ == VarType::Currency;
    else if constexpr (std::is_same_v<T, DateValue>)
        return type_ == VarType::Date;
    else if constexpr (std::is_same_v<T, ErrorValue>)
        return type_ == VarType::Error;
    else {
        static_assert(std::is_same_v<T, NullValue>, "not a type a Variant holds");
        return type_ == VarType::Null;
    }
}

template <typename T> T& Variant::as() {
    if constexpr (std::is_same_v<T, Text>)
        return text_;
    else if constexpr (std::is_same_v<T, BorrowedText>)
        return scalar_.borrowed;
    else if constexpr (std::is_same_v<T, ObjectRef>)
        return object_;
    else if constexpr (std::is_same_v<T, bool>)
        return scalar_.boolean;
    else if constexpr (std::is_same_v<T, std::uint8_t>)
        return scalar_.byte;
    else if constexpr (std::is_same_v<T, std::int16_t>)
        return scalar_.integer;
    else if constexpr (std::is_same_v<T, std::int32_t>)
        return scalar_.whole;
    else if constexpr (std::is_same_v<T, float>)
        return scalar_.single;
    else if constexpr (std::is_same_v<T, double>)
        return scalar_.real;
    else if constexpr (std::is_same_v<T, Currency>)
        return scalar_.money;
    else if constexpr (std::is_same_v<T, DateValue>)
        return scalar_.date;
    else if constexpr (std::is_same_v<T, ErrorValue>)
        return scalar_.error;
    else {
        static_assert(std::is_same_v<T, NullValue>, "not a type a Variant holds");
        return scalar_.null;
    }
}

} // namespace orbek
