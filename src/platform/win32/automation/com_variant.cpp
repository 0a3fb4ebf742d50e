#include "platform/win32/automation/com_variant.h"

#include "automation/conversions.h"
#include "automation/vb_error.h"
#include "platform/win32/automation/com_text.h"
#include "platform/win32/automation/dispatch_object.h"

#include <cstring>
#include <memory>
#include <utility>

namespace orbek::com {
namespace {

[[noreturn]] void type_mismatch() {
    throw VbError(vb::TypeMismatch);
}

// Where the value of a VARIANT lies: behind the reference for a by-reference one, else in
// the VARIANT's own value union (a Decimal fills the whole VARIANT).
const void* data_of(const VARIANT& value) {
    if ((V_VT(&value) & VT_BYREF) != 0) {
        return V_BYREF(&value);
    }
    if ((V_VT(&value) & VT_TYPEMASK) == VT_DECIMAL) {
        return &V_DECIMAL(&value);
    }
    return &V_UI1(&value);
}

template <typename T> T read(const void* data) {
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

template <typename T> void write(void* data, T value) {
    std::memcpy(data, &value, sizeof value);
}

// Long when the number fits, Double otherwise, as the host's language widens.
template <typename Whole> Variant whole_number(Whole value) {
    if (std::in_range<std::int32_t>(value)) {
        return Variant(static_cast<std::int32_t>(value));
    }
    return Variant(static_cast<double>(value));
}

Variant object_of(IUnknown* unknown) {
    if (unknown == nullptr) {
        return Variant(Variant::ObjectRef());
    }
    IDispatch* dispatch = nullptr;
    if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
        type_mismatch();
    }
    std::shared_ptr<DispatchObject> object;
    try {
        object = std::make_shared<DispatchObject>(dispatch);
    } catch (...) {
        dispatch->Release();
        throw;
    }
    dispatch->Release();
    return Variant(Variant::ObjectRef(std::move(object)));
}

// A new reference to the IDispatch behind an object value; Nothing is a null pointer.
IDispatch* dispatch_of(const Variant& value) {
    const Variant object = convert_to(value, VarType::Object);
    const auto& reference = object.as<Variant::ObjectRef>();
    if (!reference) {
        return nullptr;
    }
    const auto* dispatch = dynamic_cast<const DispatchObject*>(reference.get());
    if (dispatch == nullptr) {
        type_mismatch();
    }
    dispatch->dispatch()->AddRef();
    return dispatch->dispatch();
}

Variant read_value(const VARIANT& value, bool inside_reference, bool borrow) {
    const VARTYPE type = V_VT(&value);
    if ((type & (VT_ARRAY | VT_VECTOR | VT_RESERVED)) != 0) {
        type_mismatch();
    }
    const bool by_reference = (type & VT_BYREF) != 0;
    const VARTYPE base = type & VT_TYPEMASK;
    if (by_reference && (V_BYREF(&value) == nullptr || base == VT_EMPTY || base == VT_NULL)) {
        type_mismatch();
    }
    if (base == VT_VARIANT) {
        // A script's variable: one level of reference to a VARIANT, never a chain.
        if (!by_reference || inside_reference) {
            type_mismatch();
        }
        return read_value(*V_VARIANTREF(&value), true, borrow);
    }
    const void* data = data_of(value);
    switch (base) {
    case VT_EMPTY:
        return Variant();
    case VT_NULL:
        return Variant::null();
    case VT_I2:
        return Variant(read<std::int16_t>(data));
    case VT_I4:
        return Variant(read<std::int32_t>(data));
    case VT_R4:
        return Variant(read<float>(data));
    case VT_R8:
        return Variant(read<double>(data));
    case VT_CY:
        return Variant(Currency::from_scaled(read<std::int64_t>(data)));
    case VT_DATE:
        return Variant::date(read<double>(data));
    case VT_BSTR: {
        const BSTR text = read<BSTR>(data);
        if (borrow) {
            return Variant::borrowed_text(
                TextView(text != nullptr ? reinterpret_cast<const char16_t*>(text) : u"",
                         SysStringLen(text)));
        }
        return Variant(text_of(text));
    }
    case VT_DISPATCH:
        return object_of(read<IDispatch*>(data));
    case VT_UNKNOWN:
        return object_of(read<IUnknown*>(data));
    case VT_ERROR:
        return Variant(Variant::ErrorValue{read<std::int32_t>(data)});
    case VT_BOOL:
        return Variant(read<VARIANT_BOOL>(data) != VARIANT_FALSE);
    case VT_UI1:
        return Variant(read<std::uint8_t>(data));
    case VT_I1:
        return whole_number(read<std::int8_t>(data));
    case VT_UI2:
        return whole_number(read<std::uint16_t>(data));
    case VT_INT:
        return whole_number(read<std::int32_t>(data));
    case VT_UI4:
    case VT_UINT:
        return whole_number(read<std::uint32_t>(data));
    case VT_I8:
        return whole_number(read<std::int64_t>(data));
    case VT_UI8:
        return whole_number(read<std::uint64_t>(data));
    case VT_DECIMAL: {
        DECIMAL decimal = read<DECIMAL>(data);
        double number = 0;
        if (FAILED(VarR8FromDec(&decimal, &number))) {
            type_mismatch();
        }
        return Variant(number);
    }
    default:
        type_mismatch();
    }
}

std::size_t size_of_type(VARTYPE type) {
    switch (type) {
    case VT_I1:
    case VT_UI1:
        return 1;
    case VT_UI2:
        return 2;
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
        return 4;
    case VT_I8:
    case VT_UI8:
        return 8;
    case VT_DECIMAL:
        return sizeof(DECIMAL);
    default:
        type_mismatch();
    }
}

// Types the core has no counterpart for take the value through the system's own coercion.
void store_by_system_coercion(void* target, VARTYPE type, const Variant& value) {
    const std::size_t size = size_of_type(type);
    VARIANT converted;
    to_com(value, &converted);
    const HRESULT result = VariantChangeType(&converted, &converted, 0, type);
    if (FAILED(result)) {
        VariantClear(&converted);
        throw VbError(result == DISP_E_OVERFLOW ? vb::Overflow : vb::TypeMismatch);
    }
    std::memcpy(target, data_of(converted), size);
}

} // namespace

Variant variant_of(const VARIANT& value) {
    return read_value(value, false, false);
}

Variant argument_of(const VARIANT& value) {
    return read_value(value, false, true);
}

void to_com(const Variant& value, VARIANT* out) {
    VariantInit(out);
    switch (value.type()) {
    case VarType::Empty:
        return;
    case VarType::Null:
        V_VT(out) = VT_NULL;
        return;
    case VarType::Integer:
        V_VT(out) = VT_I2;
        V_I2(out) = value.as<std::int16_t>();
        return;
    case VarType::Long:
        V_VT(out) = VT_I4;
        V_I4(out) = value.as<std::int32_t>();
        return;
    case VarType::Single:
        V_VT(out) = VT_R4;
        V_R4(out) = value.as<float>();
        return;
    case VarType::Double:
        V_VT(out) = VT_R8;
        V_R8(out) = value.as<double>();
        return;
    case VarType::Currency:
        V_VT(out) = VT_CY;
        V_CY(out).int64 = value.as<Currency>().scaled();
        return;
    case VarType::Date:
        V_VT(out) = VT_DATE;
        V_DATE(out) = value.as<Variant::DateValue>().serial;
        return;
    case VarType::String:
        V_BSTR(out) = make_bstr(value.text());
        V_VT(out) = VT_BSTR;
        return;
    case VarType::Object:
        V_DISPATCH(out) = dispatch_of(value);
        V_VT(out) = VT_DISPATCH;
        return;
    case VarType::Error:
        V_VT(out) = VT_ERROR;
        V_ERROR(out) = value.as<Variant::ErrorValue>().code;
        return;
    case VarType::Boolean:
        V_VT(out) = VT_BOOL;
        V_BOOL(out) = value.as<bool>() ? VARIANT_TRUE : VARIANT_FALSE;
        return;
    case VarType::Byte:
        V_VT(out) = VT_UI1;
        V_UI1(out) = value.as<std::uint8_t>();
        return;
    }
    type_mismatch();
}

VARIANT reference_to(VARTYPE type, void* variable) {
    VARIANT reference;
    VariantInit(&reference);
    V_VT(&reference) = VT_BYREF | type;
    V_BYREF(&reference) = variable;
    return reference;
}

void replace_variant(VARIANT* slot, const Variant& value) {
    VARIANT fresh;
    to_com(value, &fresh);
    VariantClear(slot);
    *slot = fresh;
}

void store_through(const VARIANT& reference, const Variant& value) {
    const VARTYPE type = V_VT(&reference);
    if ((type & VT_BYREF) == 0) {
        return;
    }
    void* target = V_BYREF(&reference);
    if (target == nullptr || (type & (VT_ARRAY | VT_VECTOR)) != 0) {
        type_mismatch();
    }
    switch (type & VT_TYPEMASK) {
    case VT_VARIANT: {
        VARIANT* slot = static_cast<VARIANT*>(target);
        if (V_VT(slot) == (VT_BYREF | VT_VARIANT)) {
            type_mismatch();
        }
        if ((V_VT(slot) & VT_BYREF) != 0) {
            store_through(*slot, value); // a variant that itself refers to a typed variable
            return;
        }
        replace_variant(slot, value);
        return;
    }
    case VT_BSTR: {
        Text storage;
        replace_bstr(static_cast<BSTR*>(target), text_view_of(value, storage));
        return;
    }
    case VT_I2:
        write(target, to_integer(value));
        return;
    case VT_I4:
        write(target, to_long(value));
        return;
    case VT_R4:
        write(target, to_single(value));
        return;
    case VT_R8:
        write(target, to_double(value));
        return;
    case VT_CY:
        write(target, to_currency(value).scaled());
        return;
    case VT_DATE:
        write(target, to_date(value));
        return;
    case VT_BOOL:
        write(target, to_boolean(value) ? VARIANT_TRUE : VARIANT_FALSE);
        return;
    case VT_UI1:
        write(target, to_byte(value));
        return;
    case VT_ERROR:
        write(target, convert_to(value, VarType::Error).as<Variant::ErrorValue>().code);
        return;
    case VT_DISPATCH:
    case VT_UNKNOWN: {
        IDispatch* fresh = dispatch_of(value);
        IUnknown** slot = static_cast<IUnknown**>(target);
        if (*slot != nullptr) {
            (*slot)->Release();
        }
        *slot = fresh;
        return;
    }
    default:
        store_by_system_coercion(target, type & VT_TYPEMASK, value);
        return;
    }
}

} // namespace orbek::com
