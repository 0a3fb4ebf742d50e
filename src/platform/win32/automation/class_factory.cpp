#include "platform/win32/automation/class_factory.h"

#include <new>

namespace orbek::com {
namespace {

class ClassFactory final : public IClassFactory {
  public:
    // Starts with one reference.
    explicit ClassFactory(const FactoryServer& server) : server_(server) { server_.hold(); }
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }

    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        return server_.create_object(iid, object);
    }

    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) {
            server_.lock();
        } else {
            server_.unlock();
        }
        return S_OK;
    }

  private:
    ~ClassFactory() { server_.release(); }

    const FactoryServer server_;
    LONG references_ = 1;
};

} // namespace

HRESULT make_class_factory(const FactoryServer& server, REFIID iid, void** factory) {
    auto* created = new (std::nothrow) ClassFactory(server);
    if (created == nullptr) {
        return E_OUTOFMEMORY;
    }
    const HRESULT result = created->QueryInterface(iid, factory);
    created->Release();
    return result;
}

} // namespace orbek::com
