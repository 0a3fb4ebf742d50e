#include "sys_tools_object.h"

#include "platform/win32/automation/com_error.h"
#include "platform/win32/automation/com_text.h"
#include "platform/win32/automation/com_variant.h"
#include "server_module.h"
#include "type_info_invoke.h"

#include <new>

namespace orbek::com {

namespace {

VARIANT_BOOL variant_bool(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

} // namespace

HRESULT SysToolsObject::create(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    ITypeLib* library = nullptr;
    HRESULT outcome = load_server_type_library(&library);
    if (FAILED(outcome)) {
        return outcome;
    }
    ITypeInfo* dispatch_info = nullptr;
    ITypeInfo* vtable_info = nullptr;
    outcome = library->GetTypeInfoOfGuid(__uuidof(_SysTools), &dispatch_info);
    if (SUCCEEDED(outcome)) {
        outcome = vtable_type_info(library, __uuidof(_SysTools), &vtable_info);
    }
    library->Release();
    if (FAILED(outcome)) {
        if (dispatch_info != nullptr) {
            dispatch_info->Release();
        }
        return outcome;
    }
    auto* created = new (std::nothrow) SysToolsObject(dispatch_info, vtable_info);
    if (created == nullptr) {
        dispatch_info->Release();
        vtable_info->Release();
        return E_OUTOFMEMORY;
    }
    outcome = created->QueryInterface(iid, object);
    created->Release();
    return outcome;
}

SysToolsObject::SysToolsObject(ITypeInfo* dispatch_info, ITypeInfo* vtable_info)
    : dispatch_info_(dispatch_info), vtable_info_(vtable_info) {
    hold_server();
}

SysToolsObject::~SysToolsObject() {
    dispatch_info_->Release();
    vtable_info_->Release();
    release_server();
}

template <typename Body> HRESULT SysToolsObject::run(Body&& body) {
    return guarded_call(ErrorSource, __uuidof(_SysTools), std::forward<Body>(body));
}

HRESULT STDMETHODCALLTYPE SysToolsObject::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(_SysTools)) {
        *object = static_cast<_SysTools*>(this);
    } else if (iid == IID_ISupportErrorInfo) {
        *object = static_cast<ISupportErrorInfo*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE SysToolsObject::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE SysToolsObject::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE SysToolsObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 1;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SysToolsObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    *info = nullptr;
    if (index != 0) {
        return DISP_E_BADINDEX;
    }
    dispatch_info_->AddRef();
    *info = dispatch_info_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SysToolsObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count,
                                                        LCID, DISPID* ids) {
    if (iid != IID_NULL) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    if (names == nullptr || ids == nullptr) {
        return E_POINTER;
    }
    return DispGetIDsOfNames(vtable_info_, names, count, ids);
}

HRESULT STDMETHODCALLTYPE SysToolsObject::Invoke(DISPID member, REFIID iid, LCID, WORD flags,
                                                 DISPPARAMS* params, VARIANT* result,
                                                 EXCEPINFO* exception, UINT* argument_error) {
    const InvokeRequest request{member, iid, flags, params, result, exception, argument_error};
    return invoke_by_type_info(static_cast<_SysTools*>(this), vtable_info_, request, ErrorSource);
}

HRESULT STDMETHODCALLTYPE SysToolsObject::ShowSystemInfo(VARIANT* show, VARIANT_BOOL* wait) {
    if (show == nullptr || wait == nullptr) {
        return E_POINTER;
    }
    return run([&] {
        Variant shown = variant_of(*show);
        bool waited = *wait != VARIANT_FALSE;
        tools_.ShowSystemInfo(shown, waited);
        replace_variant(show, shown);
        *wait = variant_bool(waited);
    });
}

HRESULT STDMETHODCALLTYPE SysToolsObject::CloseEffect(LONG* start, LONG* height, LONG style,
                                                      VARIANT window) {
    if (start == nullptr || height == nullptr) {
        return E_POINTER;
    }
    std::int32_t from = *start;
    std::int32_t tall = *height;
    const HRESULT outcome = run([&] { tools_.CloseEffect(from, tall, style, variant_of(window)); });
    *start = from;
    *height = tall;
    return outcome;
}

HRESULT STDMETHODCALLTYPE SysToolsObject::PadText(BSTR* text, short width, VARIANT fill,
                                                  BSTR* padded) {
    if (text == nullptr || padded == nullptr) {
        return E_POINTER;
    }
    *padded = nullptr;
    const Text original = text_of(*text);
    Text value = original;
    const HRESULT outcome = run([&] {
        const Text result = tools_.PadText(value, width, variant_of(fill));
        *padded = make_bstr(result);
    });
    if (value != original) {
        try {
            replace_bstr(text, value);
        } catch (const VbError&) {
            return E_OUTOFMEMORY;
        }
    }
    return outcome;
}

HRESULT STDMETHODCALLTYPE SysToolsObject::DecodeText(BSTR encoded, BSTR* plain) {
    if (plain == nullptr) {
        return E_POINTER;
    }
    *plain = nullptr;
    return run([&] { *plain = make_bstr(tools_.DecodeText(text_of(encoded))); });
}

HRESULT STDMETHODCALLTYPE SysToolsObject::ToBitText(BSTR number, BSTR* bits) {
    if (bits == nullptr) {
        return E_POINTER;
    }
    *bits = nullptr;
    return run([&] { *bits = make_bstr(tools_.ToBitText(text_of(number))); });
}

HRESULT STDMETHODCALLTYPE SysToolsObject::DaysInMonth(short* month, short* year, short* days) {
    if (month == nullptr || year == nullptr || days == nullptr) {
        return E_POINTER;
    }
    *days = 0;
    std::int16_t month_value = *month;
    std::int16_t year_value = *year;
    const HRESULT outcome = run([&] { *days = tools_.DaysInMonth(month_value, year_value); });
    *month = month_value;
    *year = year_value;
    return outcome;
}

HRESULT STDMETHODCALLTYPE SysToolsObject::DateToText(VARIANT date, BSTR style, BSTR prefix,
                                                     VARIANT_BOOL with_weekday,
                                                     VARIANT_BOOL with_year, BSTR* text) {
    if (text == nullptr) {
        return E_POINTER;
    }
    *text = nullptr;
    return run([&] {
        *text =
            make_bstr(tools_.DateToText(variant_of(date), text_of(style), text_of(prefix),
                                        with_weekday != VARIANT_FALSE, with_year != VARIANT_FALSE));
    });
}

HRESULT STDMETHODCALLTYPE SysToolsObject::EncodeText(BSTR plain, BSTR* encoded) {
    if (encoded == nullptr) {
        return E_POINTER;
    }
    *encoded = nullptr;
    return run([&] { *encoded = make_bstr(tools_.EncodeText(text_of(plain))); });
}

HRESULT STDMETHODCALLTYPE SysToolsObject::InterfaceSupportsErrorInfo(REFIID iid) {
    return iid == __uuidof(_SysTools) ? S_OK : S_FALSE;
}

} // namespace orbek::com
