// The COM class SysTools: our SysTools operations behind the dual interface _SysTools.
#pragma once

#include "MireldaSys.h"
#include "sys_tools_impl.h"
#include "win32_window_layer.h"

#include <windows.h>

namespace orbek::com {

class SysToolsObject final : public _SysTools, public ISupportErrorInfo {
  public:
    // A new object, handed out through `iid`.
    static HRESULT create(REFIID iid, void** object);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument_error) override;

    // _SysTools
    HRESULT STDMETHODCALLTYPE ShowSystemInfo(VARIANT* show, VARIANT_BOOL* wait) override;
    HRESULT STDMETHODCALLTYPE CloseEffect(LONG* start, LONG* height, LONG style,
                                          VARIANT window) override;
    HRESULT STDMETHODCALLTYPE PadText(BSTR* text, short width, VARIANT fill, BSTR* padded) override;
    HRESULT STDMETHODCALLTYPE DecodeText(BSTR encoded, BSTR* plain) override;
    HRESULT STDMETHODCALLTYPE ToBitText(BSTR number, BSTR* bits) override;
    HRESULT STDMETHODCALLTYPE DaysInMonth(short* month, short* year, short* days) override;
    HRESULT STDMETHODCALLTYPE DateToText(VARIANT date, BSTR style, BSTR prefix,
                                         VARIANT_BOOL with_weekday, VARIANT_BOOL with_year,
                                         BSTR* text) override;
    HRESULT STDMETHODCALLTYPE EncodeText(BSTR plain, BSTR* encoded) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

  private:
    SysToolsObject(ITypeInfo* dispatch_info, ITypeInfo* vtable_info);
    ~SysToolsObject();
    SysToolsObject(const SysToolsObject&) = delete;
    SysToolsObject& operator=(const SysToolsObject&) = delete;

    template <typename Body> HRESULT run(Body&& body);

    LONG references_ = 1;
    ITypeInfo* dispatch_info_; // what GetTypeInfo hands out
    ITypeInfo* vtable_info_;   // what Invoke calls through
    Win32WindowLayer windows_;
    SysToolsImpl tools_{windows_};
};

} // namespace orbek::com
