// The class factory that DllGetClassObject hands out for SysTools.
#pragma once

#include <unknwn.h>
#include <windows.h>

namespace orbek::com {

class SysToolsFactory final : public IClassFactory {
  public:
    static HRESULT create(REFIID iid, void** factory);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  private:
    SysToolsFactory();
    ~SysToolsFactory();
    SysToolsFactory(const SysToolsFactory&) = delete;
    SysToolsFactory& operator=(const SysToolsFactory&) = delete;

    LONG references_ = 1;
};

} // namespace orbek::com
