#include "com_variant.h"

#include "automation/vb_error.h"
#include "com_error.h"
#include "com_text.h"

#include <limits>
#include <memory>

namespace orbek::com {

namespace {

// Long when the number fits, Double otherwise (the host's language widens the same way).
Variant whole_or_double(const VARIANT& value) {
    VariantHolder as_double;
    if (FAILED(VariantChangeType(as_double.get(), const_cast<VARIANT*>(&value), 0, VT_R8))) {
        throw VbError(vb::TypeMismatch);
    }
    const double number = V_R8(as_double.get());
    if (number >= std::numeric_limits<std::int32_t>::min() &&
        number <= std::numeric_limits<std::int32_t>::max()) {
        return Variant(static_cast<std::int32_t>(number));
    }
    return Variant(number);
}

Variant object_from_com(IUnknown* unknown) {
    if (unknown == nullptr) {
        return Variant(Variant::ObjectRef{});
    }
    IDispatch* dispatch = nullptr;
    if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
        throw VbError(vb::TypeMismatch);
    }
    auto object = std::make_shared<DispatchObject>(dispatch);
    dispatch->Release();
    return Variant(Variant::ObjectRef(std::move(object)));
}

} // namespace

Variant variant_from_com(const VARIANT& source) {
    VariantHolder holder;
    if (FAILED(VariantCopyInd(holder.get(), const_cast<VARIANT*>(&source)))) {
        throw VbError(vb::TypeMismatch);
    }
    const VARIANT& value = *holder.get();
    switch (V_VT(&value)) {
    case VT_EMPTY:
        return Variant();
    case VT_NULL:
        return Variant::null();
    case VT_I2:
        return Variant(static_cast<std::int16_t>(V_I2(&value)));
    case VT_I4:
        return Variant(static_cast<std::int32_t>(V_I4(&value)));
    case VT_R4:
        return Variant(V_R4(&value));
    case VT_R8:
        return Variant(V_R8(&value));
    case VT_CY:
        return Variant(Currency::from_scaled(V_CY(&value).int64));
    case VT_DATE:
        return Variant::date(V_DATE(&value));
    case VT_BSTR:
        return Variant(text_of(V_BSTR(&value)));
    case VT_DISPATCH:
        return object_from_com(V_DISPATCH(&value));
    case VT_UNKNOWN:
        return object_from_com(V_UNKNOWN(&value));
    case VT_ERROR:
        return Variant(Variant::ErrorValue{static_cast<std::int32_t>(V_ERROR(&value))});
    case VT_BOOL:
        return Variant(V_BOOL(&value) != VARIANT_FALSE);
    case VT_UI1:
        return Variant(static_cast<std::uint8_t>(V_UI1(&value)));
    case VT_I1:
    case VT_UI2:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
    case VT_DECIMAL:
        return whole_or_double(value);
    default:
        throw VbError(vb::TypeMismatch);
    }
}

void variant_to_com(const Variant& value, VARIANT* out) {
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
        V_BSTR(out) = make_bstr(value.as<Text>());
        V_VT(out) = VT_BSTR;
        return;
    case VarType::Object: {
        const auto& object = value.as<Variant::ObjectRef>();
        if (!object) {
            V_VT(out) = VT_DISPATCH;
            V_DISPATCH(out) = nullptr;
            return;
        }
        const auto* dispatch = dynamic_cast<const DispatchObject*>(object.get());
        if (dispatch == nullptr) {
            throw VbError(vb::TypeMismatch);
        }
        dispatch->dispatch()->AddRef();
        V_VT(out) = VT_DISPATCH;
        V_DISPATCH(out) = dispatch->dispatch();
        return;
    }
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
    throw VbError(vb::TypeMismatch);
}

DispatchObject::DispatchObject(IDispatch* object) : object_(object) {
    object_->AddRef();
}

DispatchObject::~DispatchObject() {
    object_->Release();
}

DISPID DispatchObject::member_id(TextView name) {
    std::wstring wide = wide_of(name);
    LPOLESTR names[] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        throw VbError(vb::MemberNotFound);
    }
    return id;
}

void DispatchObject::invoke(DISPID member, WORD flags, DISPPARAMS& params, VARIANT* result) {
    EXCEPINFO exception{};
    UINT argument_error = 0;
    const HRESULT outcome = object_->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                            result, &exception, &argument_error);
    if (outcome == DISP_E_EXCEPTION) {
        if (exception.pfnDeferredFillIn != nullptr) {
            exception.pfnDeferredFillIn(&exception);
        }
        VbError error = vb_error_from_excepinfo(exception);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
        throw error;
    }
    if (FAILED(outcome)) {
        throw vb_error_of_number(error_number_of_hresult(outcome));
    }
}

Variant DispatchObject::get_property(TextView name) {
    const DISPID id = member_id(name);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VariantHolder result;
    invoke(id, DISPATCH_PROPERTYGET | DISPATCH_METHOD, none, result.get());
    return variant_from_com(*result.get());
}

void DispatchObject::put_property(TextView name, const Variant& value) {
    const DISPID id = member_id(name);
    VariantHolder argument(value);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{argument.get(), &named, 1, 1};
    const WORD flags =
        V_VT(argument.get()) == VT_DISPATCH ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    invoke(id, flags, params, nullptr);
}

std::vector<Variant> DispatchObject::enumerate() {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VariantHolder enumerator_value;
    invoke(DISPID_NEWENUM, DISPATCH_PROPERTYGET | DISPATCH_METHOD, none, enumerator_value.get());
    IUnknown* unknown =
        V_VT(enumerator_value.get()) == VT_UNKNOWN    ? V_UNKNOWN(enumerator_value.get())
        : V_VT(enumerator_value.get()) == VT_DISPATCH ? V_DISPATCH(enumerator_value.get())
                                                      : nullptr;
    IEnumVARIANT* enumerator = nullptr;
    if (unknown == nullptr ||
        FAILED(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&enumerator)))) {
        throw VbError(vb::MemberNotFound);
    }
    std::vector<Variant> items;
    try {
        for (;;) {
            VariantHolder item;
            ULONG fetched = 0;
            if (enumerator->Next(1, item.get(), &fetched) != S_OK || fetched == 0) {
                break;
            }
            items.push_back(variant_from_com(*item.get()));
        }
    } catch (...) {
        enumerator->Release();
        throw;
    }
    enumerator->Release();
    return items;
}

} // namespace orbek::com
