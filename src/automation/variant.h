// A free-typed automation value, the portable counterpart of a VARIANT.
#pragma once

#include "automation/currency.h"
#include "automation/text.h"

#include <cstdint>
#include <memory>
#include <variant>

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
    Variant(bool value) : value_(value) {}
    Variant(std::uint8_t value) : value_(value) {}
    Variant(std::int16_t value) : value_(value) {}
    Variant(std::int32_t value) : value_(value) {}
    Variant(float value) : value_(value) {}
    Variant(double value) : value_(value) {}
    Variant(Currency value) : value_(value) {}
    Variant(Text value) : value_(std::move(value)) {}
    Variant(const char16_t* value) : value_(Text(value)) {}
    Variant(ObjectRef value) : value_(std::move(value)) {}
    Variant(DateValue value) : value_(value) {}
    Variant(ErrorValue value) : value_(value) {}
    Variant(NullValue value) : value_(value) {}
    Variant(BorrowedText value) : value_(value) {}

    static Variant null() { return Variant(NullValue{}); }
    static Variant missing() { return Variant(ErrorValue{MissingArgumentCode}); }
    static Variant date(double serial) { return Variant(DateValue{serial}); }
    static Variant borrowed_text(TextView text) {
        return Variant(BorrowedText{text.data(), text.size()});
    }

    VarType type() const;
    bool is_empty() const { return type() == VarType::Empty; }
    bool is_null() const { return type() == VarType::Null; }
    bool is_missing() const;
    // A String value, whether it owns its text or borrows it.
    bool is_text() const { return holds<Text>() || holds<BorrowedText>(); }
    // The text of a String value; asking another value for it is a programming error.
    TextView text() const {
        if (const auto* borrowed = std::get_if<BorrowedText>(&value_)) {
            return TextView(borrowed->data, borrowed->size);
        }
        return std::get<Text>(value_);
    }
    // The same value owning everything it refers to.
    Variant owned() const { return holds<BorrowedText>() ? Variant(Text(text())) : *this; }
    void own() {
        if (holds<BorrowedText>()) {
            value_ = Text(text());
        }
    }

    // Typed access without conversion; asking for the wrong type is a programming error.
    template <typename T> const T& as() const { return std::get<T>(value_); }
    template <typename T> T& as() { return std::get<T>(value_); }
    template <typename T> bool holds() const { return std::holds_alternative<T>(value_); }

    // Texts compare by their characters, borrowed or not; other values by type and value.
    friend bool operator==(const Variant& a, const Variant& b) {
        if (a.is_text() || b.is_text()) {
            return a.is_text() && b.is_text() && a.text() == b.text();
        }
        return a.value_ == b.value_;
    }

  private:
    std::variant<std::monostate, NullValue, std::int16_t, std::int32_t, float, double, Currency,
                 DateValue, Text, ObjectRef, ErrorValue, bool, std::uint8_t, BorrowedText>
        value_;
};

} // namespace orbek
