// The class factory COM asks for OrbekDLL objects.
#pragma once

#include <unknwn.h>
#include <windows.h>

namespace orbek::server {

class ClassFactory final : public IClassFactory {
  public:
    // Starts with one reference; counts as a live object until its last release, so that
    // the library stays loaded while a client holds it.
    ClassFactory();
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // Makes an object on the calling thread, whose record it joins (made on first use).
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  private:
    ~ClassFactory();

    LONG references_ = 1;
};

} // namespace orbek::server
