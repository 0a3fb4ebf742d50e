#include "display_control.h"

#include "automation/vb_error.h"
#include "platform/win32/automation/com_error.h"
#include "platform/win32/automation/com_variant.h"
#include "window_support.h"

#include <cwchar>
#include <string>

namespace orbek::controls {

DisplayControl* DisplayControl::of_window(HWND window) {
    // Only our own windows run our procedure, so their user data is one of our objects.
    if (window == nullptr || !IsWindow(window) ||
        GetWindowLongPtrW(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(window_procedure)) {
        return nullptr;
    }
    return reinterpret_cast<DisplayControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

DisplayControl::~DisplayControl() {
    if (window_ != nullptr) {
        // From another thread the window cannot be destroyed: it must not reach us then.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

bool DisplayControl::create_window(const wchar_t* class_name, HWND parent, const RECT& place,
                                   HINSTANCE instance) {
    register_window_class(instance, class_name, window_procedure);
    const Text text = value_text();
    window_ = CreateWindowExW(0, class_name, std::wstring(text.begin(), text.end()).c_str(),
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, place.left, place.top,
                              place.right - place.left, place.bottom - place.top, parent, nullptr,
                              instance, this);
    return window_ != nullptr;
}

LRESULT CALLBACK DisplayControl::window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* control = object_of_window<DisplayControl>(window, message, l);
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the paint covers everything
    case WM_PAINT:
        if (control != nullptr) {
            control->paint_buffered();
            return 0;
        }
        break;
    case WM_NCDESTROY:
        if (control != nullptr) {
            control->window_ = nullptr; // the object may live on through its references
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, w, l);
}

void DisplayControl::paint_buffered() const {
    paint_without_flicker(window_,
                          [this](HDC device, const RECT& client) { paint(device, client); });
}

void DisplayControl::repaint() const {
    if (window_ != nullptr) {
        InvalidateRect(window_, nullptr, FALSE);
    }
}

// The window's text is kept by the system, so a screen reader, or a program of another
// process, reads the value without a message to this thread (which may be busy in a call).
void DisplayControl::show_value_text() const {
    if (window_ != nullptr) {
        const Text text = value_text();
        SetWindowTextW(window_, std::wstring(text.begin(), text.end()).c_str());
    }
}

RECT DisplayControl::client_rect() const {
    RECT client{};
    if (window_ != nullptr) {
        GetClientRect(window_, &client);
    }
    return client;
}

HRESULT DisplayControl::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DisplayControl::AddRef() {
    return ++references_;
}

ULONG DisplayControl::Release() {
    const ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT DisplayControl::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT DisplayControl::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return DISP_E_BADINDEX;
}

HRESULT DisplayControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (names == nullptr || ids == nullptr || count == 0) {
        return E_INVALIDARG;
    }
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
    }
    for (const Member& member : members()) {
        if (_wcsicmp(names[0], member.name) == 0) {
            ids[0] = member.id;
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME; // properties have no arguments
        }
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT DisplayControl::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* exception, UINT* argument_error) {
    bool known = false;
    for (const Member& candidate : members()) {
        known = known || candidate.id == member;
    }
    if (!known) {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (params == nullptr) {
        return E_INVALIDARG;
    }
    try {
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            if (params->cArgs != 1) {
                return DISP_E_BADPARAMCOUNT;
            }
            if (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
                return DISP_E_PARAMNOTOPTIONAL;
            }
            put(member, com::variant_of(params->rgvarg[0]));
            return S_OK;
        }
        if (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) {
            if (params->cArgs != 0) {
                return DISP_E_BADPARAMCOUNT;
            }
            if (result != nullptr) {
                com::to_com(get(member), result);
            }
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    } catch (const VbError& error) {
        if (argument_error != nullptr) {
            *argument_error = 0;
        }
        if (exception == nullptr) {
            return com::hresult_of(error);
        }
        com::fill_excepinfo(*exception, error, L"Display control");
        return DISP_E_EXCEPTION;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

} // namespace orbek::controls
