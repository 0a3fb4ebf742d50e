// The companion's closing roll on real windows (run under Xvfb): the window named by its
// handle as a Long or a 64-bit number, or by an object's hWnd property, rolls up to nothing
// and the call returns once it has; a handle that is no window is error 5.
#include "MireldaSys.h"
#include "host_checks.h"

#include <string>
#include <windows.h>

using namespace wine_checks;

namespace {

// The smallest object a host form can be: one hWnd property.
class WindowObject final : public IDispatch {
  public:
    explicit WindowObject(HWND window) : window_(window) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; } // lives on the stack
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (count == 1 && _wcsicmp(names[0], L"hWnd") == 0) {
            ids[0] = 1;
            return S_OK;
        }
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if (member != 1 || !(flags & DISPATCH_PROPERTYGET) || result == nullptr) {
            return DISP_E_MEMBERNOTFOUND;
        }
        ++reads_;
        V_VT(result) = VT_I4;
        V_I4(result) = static_cast<LONG>(reinterpret_cast<INT_PTR>(window_));
        return S_OK;
    }
    int reads() const { return reads_; }

  private:
    HWND window_;
    ULONG references_ = 1;
    int reads_ = 0;
};

HWND make_window() {
    HWND window = CreateWindowExW(0, L"STATIC", L"closing roll", WS_POPUP | WS_VISIBLE, 50, 50, 300,
                                  200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
    return window;
}

int height_of(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return frame.bottom - frame.top;
}

void check_roll(Report& report, _SysTools* tools, const std::string& how, VARIANT window_value,
                HWND window) {
    LONG start = 0;
    LONG height = 3000; // twips
    const DWORD began = GetTickCount();
    const HRESULT result = tools->CloseEffect(&start, &height, 0, window_value);
    const DWORD took = GetTickCount() - began;
    if (report.hresult("CloseEffect on a window named by " + how, result, S_OK)) {
        report.equal("the window named by " + how + " rolls up to nothing", height_of(window), 0);
        report.check("the roll of the window named by " + how + " takes a quarter second",
                     took >= 200, "returned after " + std::to_string(took) + " ms");
        report.equal("CloseEffect leaves its start argument", start, 0);
        report.equal("CloseEffect leaves its height argument", height, 3000);
    }
}

} // namespace

int wmain() {
    Report report;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    _SysTools* tools = nullptr;
    if (report.hresult("CoCreateInstance of SysTools",
                       CoCreateInstance(__uuidof(SysTools), nullptr, CLSCTX_INPROC_SERVER,
                                        __uuidof(_SysTools), reinterpret_cast<void**>(&tools)),
                       S_OK)) {
        HWND window = make_window();
        if (report.check("a window to roll", window != nullptr, "CreateWindowEx failed")) {
            VARIANT as_long;
            VariantInit(&as_long);
            V_VT(&as_long) = VT_I4;
            V_I4(&as_long) = static_cast<LONG>(reinterpret_cast<INT_PTR>(window));
            check_roll(report, tools, "a Long handle", as_long, window);

            SetWindowPos(window, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
            VARIANT as_64_bits;
            VariantInit(&as_64_bits);
            V_VT(&as_64_bits) = VT_I8;
            V_I8(&as_64_bits) = reinterpret_cast<INT_PTR>(window);
            check_roll(report, tools, "a 64-bit handle", as_64_bits, window);

            SetWindowPos(window, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
            WindowObject form(window);
            VARIANT as_object;
            VariantInit(&as_object);
            V_VT(&as_object) = VT_DISPATCH;
            V_DISPATCH(&as_object) = &form;
            check_roll(report, tools, "an object's hWnd", as_object, window);
            report.check("the object's hWnd property was read", form.reads() > 0, "never read");

            DestroyWindow(window);
            LONG start = 0;
            LONG height = 3000;
            report.hresult("CloseEffect on a destroyed window is error 5",
                           tools->CloseEffect(&start, &height, 0, as_long),
                           static_cast<HRESULT>(0x800A0005));
        }
        tools->Release();
    }
    CoUninitialize();
    report.done();
    return 0;
}
