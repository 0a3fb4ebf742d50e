#include "platform/win32/automation/dispatch_object.h"

#include "platform/win32/automation/com_error.h"
#include "platform/win32/automation/com_text.h"
#include "platform/win32/automation/com_variant.h"

#include <string>

namespace orbek::com {

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
    if (FAILED(outcome)) {
        throw error_of_failed_invoke(outcome, exception);
    }
}

Variant DispatchObject::get_property(TextView name) {
    const DISPID id = member_id(name);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    OwnedVariant result;
    invoke(id, DISPATCH_PROPERTYGET | DISPATCH_METHOD, none, result.get());
    return variant_of(*result.get());
}

void DispatchObject::put_property(TextView name, const Variant& value) {
    const DISPID id = member_id(name);
    OwnedVariant argument(value);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{argument.get(), &named, 1, 1};
    const WORD flags =
        V_VT(argument.get()) == VT_DISPATCH ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    invoke(id, flags, params, nullptr);
}

std::vector<Variant> DispatchObject::enumerate() {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    OwnedVariant enumerator_value;
    invoke(DISPID_NEWENUM, DISPATCH_PROPERTYGET | DISPATCH_METHOD, none, enumerator_value.get());
    const VARTYPE type = V_VT(enumerator_value.get());
    IUnknown* unknown = type == VT_UNKNOWN    ? V_UNKNOWN(enumerator_value.get())
                        : type == VT_DISPATCH ? V_DISPATCH(enumerator_value.get())
                                              : nullptr;
    IEnumVARIANT* enumerator = nullptr;
    if (unknown == nullptr ||
        FAILED(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&enumerator)))) {
        throw VbError(vb::MemberNotFound); // not a collection
    }
    std::vector<Variant> items;
    try {
        for (;;) {
            OwnedVariant item;
            ULONG fetched = 0;
            if (enumerator->Next(1, item.get(), &fetched) != S_OK || fetched == 0) {
                break;
            }
            items.push_back(variant_of(*item.get()));
        }
    } catch (...) {
        enumerator->Release();
        throw;
    }
    enumerator->Release();
    return items;
}

} // namespace orbek::com
