#include "type_info_invoke.h"

#include "platform/win32/automation/com_error.h"

#include <cstring>
#include <vector>

namespace orbek::com {

namespace {

// One declared parameter while a call is being made.
struct ParameterSlot {
    VARTYPE declared = VT_EMPTY; // without VT_BYREF
    bool by_reference = false;
    VARIANT* caller = nullptr; // the client's argument, null when it was not given
    UINT caller_index = 0;     // its index in rgvarg
    VARIANT storage;           // the converted value the method works on
    VARIANT passed;            // what the call hands over (a reference into storage)
    VARTYPE passed_type = VT_EMPTY;

    ParameterSlot() {
        VariantInit(&storage);
        VariantInit(&passed);
    }
    ~ParameterSlot() { VariantClear(&storage); }
    ParameterSlot(const ParameterSlot&) = delete;
    ParameterSlot& operator=(const ParameterSlot&) = delete;
};

class FunctionDescription {
  public:
    FunctionDescription(ITypeInfo* info, FUNCDESC* description)
        : info_(info), description_(description) {}
    ~FunctionDescription() {
        if (description_ != nullptr) {
            info_->ReleaseFuncDesc(description_);
        }
    }
    FunctionDescription(const FunctionDescription&) = delete;
    FunctionDescription& operator=(const FunctionDescription&) = delete;
    const FUNCDESC* get() const { return description_; }

  private:
    ITypeInfo* info_;
    FUNCDESC* description_;
};

INVOKEKIND invoke_kind_for(WORD flags) {
    if (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) {
        return INVOKE_FUNC;
    }
    if (flags & DISPATCH_PROPERTYPUTREF) {
        return INVOKE_PROPERTYPUTREF;
    }
    return INVOKE_PROPERTYPUT;
}

FUNCDESC* find_function(ITypeInfo* info, DISPID member, WORD flags) {
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) {
        return nullptr;
    }
    const WORD count = attributes->cFuncs;
    info->ReleaseTypeAttr(attributes);
    const INVOKEKIND wanted = invoke_kind_for(flags);
    for (UINT index = 0; index < count; ++index) {
        FUNCDESC* description = nullptr;
        if (FAILED(info->GetFuncDesc(index, &description))) {
            continue;
        }
        const bool property_get_fallback =
            (flags & DISPATCH_PROPERTYGET) && description->invkind == INVOKE_PROPERTYGET;
        if (description->memid == member &&
            (description->invkind == wanted || property_get_fallback)) {
            return description;
        }
        info->ReleaseFuncDesc(description);
    }
    return nullptr;
}

// The argument with its by-reference layers read through (a null reference is refused).
HRESULT read_through(const VARIANT* argument, VARIANT* value) {
    if (V_ISBYREF(argument) && V_BYREF(argument) == nullptr) {
        return DISP_E_TYPEMISMATCH;
    }
    const HRESULT copied = VariantCopyInd(value, const_cast<VARIANT*>(argument));
    if (copied == E_INVALIDARG) {
        return DISP_E_TYPEMISMATCH;
    }
    return copied;
}

bool is_missing(const VARIANT& value) {
    return V_VT(&value) == VT_ERROR && V_ERROR(&value) == DISP_E_PARAMNOTFOUND;
}

// Bytes of the value behind a VT_BYREF|type reference, for the types a write-back serves.
std::size_t referenced_size(VARTYPE type) {
    switch (type) {
    case VT_I1:
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
        return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
        return 8;
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return sizeof(void*);
    default:
        return 0;
    }
}

// Puts the result into the client's VT_BYREF variable, converted to the variable's type,
// and frees what the variable held before.
HRESULT write_back(VARIANT* caller, const VARIANT& result) {
    if (!V_ISBYREF(caller) || V_BYREF(caller) == nullptr) {
        return S_OK; // a value the client passed by value has nowhere to go back to
    }
    const VARTYPE target = V_VT(caller) & ~VT_BYREF;
    if (target == VT_VARIANT) {
        VARIANT* variable = V_VARIANTREF(caller);
        VARIANT fresh;
        VariantInit(&fresh);
        const HRESULT copied = VariantCopy(&fresh, const_cast<VARIANT*>(&result));
        if (FAILED(copied)) {
            return copied;
        }
        VariantClear(variable);
        *variable = fresh;
        return S_OK;
    }
    const std::size_t size = referenced_size(target);
    if (size == 0) {
        return DISP_E_TYPEMISMATCH;
    }
    VARIANT converted;
    VariantInit(&converted);
    const HRESULT changed = VariantChangeType(&converted, const_cast<VARIANT*>(&result), 0, target);
    if (FAILED(changed)) {
        return changed;
    }
    VARIANT old;
    VariantInit(&old);
    V_VT(&old) = target;
    std::memcpy(&V_UI1(&old), V_BYREF(caller), size);
    VariantClear(&old);
    std::memcpy(V_BYREF(caller), &V_UI1(&converted), size);
    return S_OK; // `converted` now belongs to the client's variable
}

class Invocation {
  public:
    Invocation(const FUNCDESC& function, const InvokeRequest& request)
        : function_(function), request_(request),
          slots_(static_cast<std::size_t>(function.cParams)) {}

    HRESULT run(IUnknown* self, const wchar_t* source);

  private:
    bool is_return_value(SHORT index) const {
        return (function_.lprgelemdescParam[index].paramdesc.wParamFlags & PARAMFLAG_FRETVAL) != 0;
    }
    UINT declared_count() const {
        UINT count = static_cast<UINT>(function_.cParams);
        if (count > 0 && is_return_value(static_cast<SHORT>(count - 1))) {
            --count;
        }
        return count;
    }
    HRESULT place_arguments();
    HRESULT prepare_slot(UINT index);
    HRESULT prepare_return_slot(UINT index);
    HRESULT fail_at(HRESULT result, UINT caller_index) {
        if (request_.argument_error != nullptr) {
            *request_.argument_error = caller_index;
        }
        return result;
    }

    const FUNCDESC& function_;
    const InvokeRequest& request_;
    std::vector<ParameterSlot> slots_;
};

HRESULT Invocation::place_arguments() {
    const DISPPARAMS& params = *request_.params;
    const UINT declared = declared_count();
    const UINT positional = params.cArgs - params.cNamedArgs;
    if (positional > declared) {
        return DISP_E_BADPARAMCOUNT;
    }
    for (UINT position = 0; position < positional; ++position) {
        const UINT caller_index = params.cArgs - 1 - position;
        slots_[position].caller = &params.rgvarg[caller_index];
        slots_[position].caller_index = caller_index;
    }
    for (UINT named = 0; named < params.cNamedArgs; ++named) {
        DISPID target = params.rgdispidNamedArgs[named];
        if (target == DISPID_PROPERTYPUT && declared > 0) {
            target = static_cast<DISPID>(declared - 1);
        }
        if (target < 0 || static_cast<UINT>(target) >= declared ||
            slots_[static_cast<UINT>(target)].caller != nullptr) {
            return fail_at(DISP_E_PARAMNOTFOUND, named);
        }
        slots_[static_cast<UINT>(target)].caller = &params.rgvarg[named];
        slots_[static_cast<UINT>(target)].caller_index = named;
    }
    return S_OK;
}

HRESULT Invocation::prepare_slot(UINT index) {
    ParameterSlot& slot = slots_[index];
    const ELEMDESC& element = function_.lprgelemdescParam[index];
    const TYPEDESC& type = element.tdesc;
    slot.by_reference = type.vt == VT_PTR;
    slot.declared = slot.by_reference ? type.lptdesc->vt : type.vt;
    const USHORT flags = element.paramdesc.wParamFlags;

    VARIANT given;
    VariantInit(&given);
    if (slot.caller != nullptr) {
        // A by-reference VARIANT parameter works directly on the client's variant variable.
        if (slot.by_reference && slot.declared == VT_VARIANT &&
            V_VT(slot.caller) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(slot.caller) != nullptr &&
            !V_ISBYREF(V_VARIANTREF(slot.caller))) {
            V_VT(&slot.passed) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&slot.passed) = V_VARIANTREF(slot.caller);
            slot.passed_type = VT_BYREF | VT_VARIANT;
            slot.caller = nullptr; // nothing to write back
            return S_OK;
        }
        const HRESULT read = read_through(slot.caller, &given);
        if (FAILED(read)) {
            return fail_at(read, slot.caller_index);
        }
    }
    if (slot.caller == nullptr || is_missing(given)) {
        VariantClear(&given);
        if ((flags & PARAMFLAG_FHASDEFAULT) && element.paramdesc.pparamdescex != nullptr) {
            VariantCopy(&given, &element.paramdesc.pparamdescex->varDefaultValue);
        } else if ((flags & PARAMFLAG_FOPT) && slot.declared == VT_VARIANT) {
            V_VT(&given) = VT_ERROR;
            V_ERROR(&given) = DISP_E_PARAMNOTFOUND;
        } else {
            return fail_at(DISP_E_PARAMNOTOPTIONAL, slot.caller_index);
        }
    }
    if (slot.declared == VT_VARIANT) {
        slot.storage = given;
    } else {
        const HRESULT changed = VariantChangeType(&slot.storage, &given, 0, slot.declared);
        VariantClear(&given);
        if (FAILED(changed)) {
            return fail_at(changed, slot.caller_index);
        }
    }
    if (slot.by_reference) {
        slot.passed_type = VT_BYREF | slot.declared;
        V_VT(&slot.passed) = slot.passed_type;
        V_BYREF(&slot.passed) =
            slot.declared == VT_VARIANT ? static_cast<void*>(&slot.storage) : &V_UI1(&slot.storage);
    } else {
        slot.passed_type = slot.declared;
        slot.passed = slot.storage; // a shallow view; storage keeps ownership
    }
    return S_OK;
}

HRESULT Invocation::prepare_return_slot(UINT index) {
    ParameterSlot& slot = slots_[index];
    const TYPEDESC& type = function_.lprgelemdescParam[index].tdesc;
    if (type.vt != VT_PTR) {
        return DISP_E_BADVARTYPE;
    }
    slot.declared = type.lptdesc->vt;
    slot.by_reference = true;
    if (slot.declared != VT_VARIANT) {
        V_VT(&slot.storage) = slot.declared; // zero value of the type
    }
    slot.passed_type = VT_BYREF | slot.declared;
    V_VT(&slot.passed) = slot.passed_type;
    V_BYREF(&slot.passed) =
        slot.declared == VT_VARIANT ? static_cast<void*>(&slot.storage) : &V_UI1(&slot.storage);
    return S_OK;
}

HRESULT Invocation::run(IUnknown* self, const wchar_t* source) {
    HRESULT outcome = place_arguments();
    if (FAILED(outcome)) {
        return outcome;
    }
    const UINT declared = declared_count();
    for (UINT index = 0; index < declared; ++index) {
        outcome = prepare_slot(index);
        if (FAILED(outcome)) {
            return outcome;
        }
    }
    const UINT total = static_cast<UINT>(function_.cParams);
    if (total > declared) {
        outcome = prepare_return_slot(declared);
        if (FAILED(outcome)) {
            return outcome;
        }
    }

    std::vector<VARTYPE> types(total);
    std::vector<VARIANTARG*> values(total);
    for (UINT index = 0; index < total; ++index) {
        types[index] = slots_[index].passed_type;
        values[index] = &slots_[index].passed;
    }
    VARIANT returned;
    VariantInit(&returned);
    outcome = DispCallFunc(self, function_.oVft, CC_STDCALL, VT_ERROR, total, types.data(),
                           values.data(), &returned);
    if (FAILED(outcome)) {
        return outcome;
    }
    const HRESULT method_outcome = V_ERROR(&returned);

    // By-reference results go back also when the method failed after changing them.
    HRESULT written = S_OK;
    for (UINT index = 0; index < declared; ++index) {
        ParameterSlot& slot = slots_[index];
        if (!slot.by_reference || slot.caller == nullptr) {
            continue;
        }
        const HRESULT back = write_back(slot.caller, slot.storage);
        if (FAILED(back) && SUCCEEDED(written)) {
            written = fail_at(back, slot.caller_index);
        }
    }

    if (FAILED(method_outcome)) {
        if (request_.exception != nullptr) {
            fill_excepinfo_from_error_info(*request_.exception, method_outcome, source);
        }
        return DISP_E_EXCEPTION;
    }
    if (FAILED(written)) {
        return written;
    }
    if (request_.result != nullptr) {
        VariantInit(request_.result);
        if (total > declared) {
            *request_.result = slots_[declared].storage; // ownership moves to the client
            VariantInit(&slots_[declared].storage);
        }
    }
    return S_OK;
}

} // namespace

HRESULT invoke_by_type_info(IUnknown* self, ITypeInfo* interface_info, const InvokeRequest& request,
                            const wchar_t* source) {
    if (request.riid != IID_NULL) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    const DISPPARAMS* params = request.params;
    if (params == nullptr || (params->cArgs > 0 && params->rgvarg == nullptr) ||
        params->cNamedArgs > params->cArgs ||
        (params->cNamedArgs > 0 && params->rgdispidNamedArgs == nullptr)) {
        return E_INVALIDARG;
    }
    if (request.result != nullptr) {
        VariantInit(request.result);
    }
    FunctionDescription function(interface_info,
                                 find_function(interface_info, request.member, request.flags));
    if (function.get() == nullptr) {
        return DISP_E_MEMBERNOTFOUND;
    }
    Invocation invocation(*function.get(), request);
    return invocation.run(self, source);
}

HRESULT vtable_type_info(ITypeLib* library, REFIID iid, ITypeInfo** info) {
    *info = nullptr;
    ITypeInfo* described = nullptr;
    HRESULT outcome = library->GetTypeInfoOfGuid(iid, &described);
    if (FAILED(outcome)) {
        return outcome;
    }
    TYPEATTR* attributes = nullptr;
    outcome = described->GetTypeAttr(&attributes);
    if (FAILED(outcome)) {
        described->Release();
        return outcome;
    }
    const bool dispatch_side = attributes->typekind == TKIND_DISPATCH;
    described->ReleaseTypeAttr(attributes);
    if (!dispatch_side) {
        *info = described;
        return S_OK;
    }
    HREFTYPE reference = 0;
    outcome = described->GetRefTypeOfImplType(-1, &reference);
    if (SUCCEEDED(outcome)) {
        outcome = described->GetRefTypeInfo(reference, info);
    }
    described->Release();
    return outcome;
}

} // namespace orbek::com
