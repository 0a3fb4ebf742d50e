#include "platform/win32/automation/dispatch_object.h"

#include "automation/conversions.h"
#include "platform/win32/automation/com_error.h"
#include "platform/win32/automation/com_text.h"
#include "platform/win32/automation/com_variant.h"

#include <cstdint>
#include <dispex.h>
#include <string>

namespace orbek::com {
namespace {

using ObjectRef = Variant::ObjectRef;

// Keeps an array's elements where they are while they are visited.
class ArrayLock {
  public:
    explicit ArrayLock(SAFEARRAY* array) : array_(array) {
        if (FAILED(SafeArrayLock(array_))) {
            throw VbError(vb::TypeMismatch);
        }
    }
    ~ArrayLock() { SafeArrayUnlock(array_); }
    ArrayLock(const ArrayLock&) = delete;
    ArrayLock& operator=(const ArrayLock&) = delete;

  private:
    SAFEARRAY* array_;
};

// Each element of the array in storage order (the first dimension counting fastest, as For
// Each goes), read through a reference to it as any argument would be: a variant element
// gives what it holds, a typed one its value. No array at all has no elements.
void visit_array(SAFEARRAY* array, VARTYPE element_type,
                 const AutomationObject::ItemVisitor& visit) {
    if (array == nullptr) {
        return;
    }
    ArrayLock lock(array);
    std::size_t count = array->cDims == 0 ? 0 : 1;
    for (USHORT dimension = 0; dimension < array->cDims; ++dimension) {
        count *= array->rgsabound[dimension].cElements;
    }
    auto* element = static_cast<BYTE*>(array->pvData);
    for (std::size_t i = 0; i < count; ++i, element += array->cbElements) {
        VARIANT reference;
        VariantInit(&reference);
        V_VT(&reference) = VT_BYREF | element_type;
        V_BYREF(&reference) = element;
        visit(variant_of(reference));
    }
}

} // namespace

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
    if (SUCCEEDED(object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        return id;
    }
    // Some script engines (Wine's VBScript) name the members of their objects only through
    // IDispatchEx.
    IDispatchEx* extended = nullptr;
    if (SUCCEEDED(object_->QueryInterface(IID_PPV_ARGS(&extended)))) {
        const HRESULT found =
            extended->GetDispID(OwnedBstr(name).get(), fdexNameCaseInsensitive, &id);
        extended->Release();
        if (SUCCEEDED(found)) {
            return id;
        }
    }
    throw VbError(vb::MemberNotFound);
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
    std::vector<Variant> items;
    visit_collection([&](const Variant& item) { items.push_back(item); });
    return items;
}

void DispatchObject::for_each_item_of(TextView name, const ItemVisitor& visit) {
    const DISPID id = member_id(name);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    OwnedVariant held;
    invoke(id, DISPATCH_PROPERTYGET | DISPATCH_METHOD, none, held.get());
    const VARIANT* value = held.get();
    // A variant held by reference is looked through once, as a script's variable would be.
    if (V_VT(value) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(value) != nullptr) {
        value = V_VARIANTREF(value);
    }
    if ((V_VT(value) & VT_ARRAY) != 0) {
        SAFEARRAY* array = (V_VT(value) & VT_BYREF) != 0 ? *V_ARRAYREF(value) : V_ARRAY(value);
        visit_array(array, V_VT(value) & VT_TYPEMASK, visit);
        return;
    }
    const Variant collection = variant_of(*value);
    if (!collection.holds<ObjectRef>()) {
        throw VbError(vb::TypeMismatch);
    }
    const ObjectRef& object = collection.as<ObjectRef>();
    if (!object) {
        throw VbError(vb::ObjectNotSet);
    }
    if (auto* dispatch = dynamic_cast<DispatchObject*>(object.get())) {
        dispatch->visit_collection(visit);
        return;
    }
    for (const Variant& item : object->enumerate()) {
        visit(item);
    }
}

void DispatchObject::visit_collection(const ItemVisitor& visit) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    OwnedVariant enumerator;
    EXCEPINFO exception{};
    UINT argument_error = 0;
    const HRESULT outcome = object_->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT,
                                            DISPATCH_PROPERTYGET | DISPATCH_METHOD, &none,
                                            enumerator.get(), &exception, &argument_error);
    if (FAILED(outcome)) {
        const VbError error = error_of_failed_invoke(outcome, exception);
        if (error.number() != vb::MemberNotFound) {
            throw error;
        }
        visit_by_index(visit);
        return;
    }
    const VARTYPE type = V_VT(enumerator.get());
    IUnknown* unknown = type == VT_UNKNOWN    ? V_UNKNOWN(enumerator.get())
                        : type == VT_DISPATCH ? V_DISPATCH(enumerator.get())
                                              : nullptr;
    visit_enumerator(unknown, visit);
}

void DispatchObject::visit_enumerator(IUnknown* enumerator_object, const ItemVisitor& visit) {
    IEnumVARIANT* enumerator = nullptr;
    if (enumerator_object == nullptr ||
        FAILED(enumerator_object->QueryInterface(IID_IEnumVARIANT,
                                                 reinterpret_cast<void**>(&enumerator)))) {
        throw VbError(vb::MemberNotFound); // not a collection
    }
    try {
        for (;;) {
            OwnedVariant item;
            ULONG fetched = 0;
            if (enumerator->Next(1, item.get(), &fetched) != S_OK || fetched == 0) {
                break;
            }
            visit(variant_of(*item.get()));
        }
    } catch (...) {
        enumerator->Release();
        throw;
    }
    enumerator->Release();
}

void DispatchObject::visit_by_index(const ItemVisitor& visit) {
    const std::int32_t count = to_long(get_property(u"Count"));
    const DISPID item_id = member_id(u"Item");
    for (std::int32_t index = 0; index < count; ++index) {
        OwnedVariant argument{Variant(index)};
        DISPPARAMS params{argument.get(), nullptr, 1, 0};
        OwnedVariant item;
        invoke(item_id, DISPATCH_METHOD | DISPATCH_PROPERTYGET, params, item.get());
        visit(variant_of(*item.get()));
    }
}

} // namespace orbek::com
