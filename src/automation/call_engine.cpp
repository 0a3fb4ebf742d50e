#include "automation/call_engine.h"

#include "automation/conversions.h"
#include "automation/text.h"

namespace orbek {

VbError CallOutcome::vb_error() const {
    switch (kind) {
    case Kind::WrongArgumentCount:
        return VbError(vb::WrongArgumentCount);
    case Kind::ArgumentNotOptional:
        return VbError(vb::ArgumentNotOptional);
    case Kind::ArgumentMismatch:
        return VbError(vb::TypeMismatch);
    case Kind::ArgumentOverflow:
        return VbError(vb::Overflow);
    case Kind::Failed:
        return error ? *error : VbError(vb::InternalError);
    case Kind::Done:
        break;
    }
    return VbError(vb::InternalError);
}

Variant omitted_argument_value(const ArgDecl& arg) {
    switch (arg.type) {
    case ValueType::Variant:
        return Variant::missing();
    case ValueType::Object:
        return Variant(Variant::ObjectRef());
    case ValueType::Text:
        return Variant::borrowed_text(arg.default_value.text);
    default:
        return convert_to(Variant(arg.default_value.number), var_type_of(arg.type));
    }
}

const MethodDecl* find_method(const InterfaceDecl& declared, std::u16string_view name) {
    for (const MethodDecl& method : declared.methods) {
        if (equals_ignoring_case(method.name, name)) {
            return &method;
        }
    }
    return nullptr;
}

const MethodDecl* find_method(const InterfaceDecl& declared, std::int32_t dispid) {
    // Declarations number their methods in order: try the direct place first.
    if (!declared.methods.empty()) {
        const std::int64_t place = std::int64_t{dispid} - declared.methods.front().dispid;
        if (place >= 0 && place < static_cast<std::int64_t>(declared.methods.size()) &&
            declared.methods[static_cast<std::size_t>(place)].dispid == dispid) {
            return &declared.methods[static_cast<std::size_t>(place)];
        }
    }
    for (const MethodDecl& method : declared.methods) {
        if (method.dispid == dispid) {
            return &method;
        }
    }
    return nullptr;
}

std::optional<std::size_t> find_argument(const MethodDecl& method, std::u16string_view name) {
    for (std::size_t i = 0; i < method.args.size(); ++i) {
        if (equals_ignoring_case(method.args[i].name, name)) {
            return i;
        }
    }
    return std::nullopt;
}

VarType var_type_of(ValueType type) {
    switch (type) {
    case ValueType::Variant:
        return VarType::Empty;
    case ValueType::Text:
        return VarType::String;
    case ValueType::Long:
        return VarType::Long;
    case ValueType::Integer:
        return VarType::Integer;
    case ValueType::Byte:
        return VarType::Byte;
    case ValueType::Double:
        return VarType::Double;
    case ValueType::Currency:
        return VarType::Currency;
    case ValueType::Boolean:
        return VarType::Boolean;
    case ValueType::Object:
        return VarType::Object;
    }
    return VarType::Empty;
}

std::u16string_view value_type_name(ValueType type) {
    switch (type) {
    case ValueType::Variant:
        return u"Variant";
    case ValueType::Text:
        return u"String";
    case ValueType::Long:
        return u"Long";
    case ValueType::Integer:
        return u"Integer";
    case ValueType::Byte:
        return u"Byte";
    case ValueType::Double:
        return u"Double";
    case ValueType::Currency:
        return u"Currency";
    case ValueType::Boolean:
        return u"Boolean";
    case ValueType::Object:
        return u"Object";
    }
    return u"?";
}

} // namespace orbek
