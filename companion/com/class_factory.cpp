#include "class_factory.h"

#include "server_module.h"
#include "sys_tools_object.h"

#include <new>

namespace orbek::com {

HRESULT SysToolsFactory::create(REFIID iid, void** factory) {
    auto* created = new (std::nothrow) SysToolsFactory();
    if (created == nullptr) {
        return E_OUTOFMEMORY;
    }
    const HRESULT outcome = created->QueryInterface(iid, factory);
    created->Release();
    return outcome;
}

// A live factory holds the server too: its code must stay loaded while a client keeps it.
SysToolsFactory::SysToolsFactory() {
    hold_server();
}

SysToolsFactory::~SysToolsFactory() {
    release_server();
}

HRESULT STDMETHODCALLTYPE SysToolsFactory::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE SysToolsFactory::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE SysToolsFactory::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE SysToolsFactory::CreateInstance(IUnknown* outer, REFIID iid,
                                                          void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (outer != nullptr) {
        return CLASS_E_NOAGGREGATION;
    }
    return SysToolsObject::create(iid, object);
}

HRESULT STDMETHODCALLTYPE SysToolsFactory::LockServer(BOOL lock) {
    if (lock) {
        hold_server();
    } else {
        release_server();
    }
    return S_OK;
}

} // namespace orbek::com
