#include "automation/variant.h"

namespace orbek {

namespace {

template <typename... Handlers> struct Overloaded : Handlers... { using Handlers::operator()...; };
template <typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace

VarType Variant::type() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return VarType::Empty; },
                          [](NullValue) { return VarType::Null; },
                          [](std::int16_t) { return VarType::Integer; },
                          [](std::int32_t) { return VarType::Long; },
                          [](float) { return VarType::Single; },
                          [](double) { return VarType::Double; },
                          [](const Currency&) { return VarType::Currency; },
                          [](DateValue) { return VarType::Date; },
                          [](const Text&) { return VarType::String; },
                          [](const ObjectRef&) { return VarType::Object; },
                          [](ErrorValue) { return VarType::Error; },
                          [](bool) { return VarType::Boolean; },
                          [](std::uint8_t) { return VarType::Byte; },
                          [](BorrowedText) { return VarType::String; },
                      },
                      value_);
}

bool Variant::is_missing() const {
    return holds<ErrorValue>() && as<ErrorValue>().code == MissingArgumentCode;
}

} // namespace orbek
