#include "test_forms.h"

namespace wine_checks {
namespace {

HRESULT offer(IUnknown* self, REFIID offered, REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, offered)) {
        *object = self;
        self->AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

VARIANT copy_of(const VARIANT& value) {
    VARIANT copy;
    VariantInit(&copy);
    VariantCopy(&copy, const_cast<VARIANT*>(&value));
    return copy;
}

// The items of a collection one at a time, as For Each asks for them.
class ItemEnumerator final : public IEnumVARIANT {
  public:
    explicit ItemEnumerator(const std::vector<VARIANT>& items) {
        for (const VARIANT& item : items) {
            items_.push_back(copy_of(item));
        }
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return offer(static_cast<IEnumVARIANT*>(this), IID_IEnumVARIANT, iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* items, ULONG* fetched) override {
        ULONG given = 0;
        while (given < wanted && next_ < items_.size()) {
            VariantInit(&items[given]);
            VariantCopy(&items[given], &items_[next_++]);
            ++given;
        }
        if (fetched != nullptr) {
            *fetched = given;
        }
        return given == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        next_ += count;
        return next_ <= items_.size() ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT**) override { return E_NOTIMPL; }

  private:
    ~ItemEnumerator() {
        for (VARIANT& item : items_) {
            VariantClear(&item);
        }
    }
    std::vector<VARIANT> items_;
    std::size_t next_ = 0;
    ULONG references_ = 1;
};

} // namespace

int FakeObject::alive = 0;

FakeObject::FakeObject() {
    ++alive;
}

FakeObject::~FakeObject() {
    for (Property& property : properties_) {
        VariantClear(&property.value);
    }
    for (VARIANT& item : items_) {
        VariantClear(&item);
    }
    --alive;
}

FakeObject& FakeObject::with(const wchar_t* name, const VARIANT& value, bool read_only) {
    properties_.push_back({name, copy_of(value), read_only});
    return *this;
}

FakeObject& FakeObject::with_text(const wchar_t* name, const wchar_t* text, bool read_only) {
    VARIANT value = text_value(text);
    with(name, value, read_only);
    VariantClear(&value);
    return *this;
}

FakeObject& FakeObject::holding(Items kind, const std::vector<VARIANT>& items) {
    kind_ = kind;
    for (const VARIANT& item : items) {
        items_.push_back(copy_of(item));
    }
    return *this;
}

std::wstring FakeObject::text_of(const wchar_t* name) const {
    for (const Property& property : properties_) {
        if (lstrcmpiW(property.name.c_str(), name) == 0 && V_VT(&property.value) == VT_BSTR) {
            return std::wstring(V_BSTR(&property.value), SysStringLen(V_BSTR(&property.value)));
        }
    }
    return L"";
}

HRESULT FakeObject::QueryInterface(REFIID iid, void** object) {
    return offer(static_cast<IDispatch*>(this), IID_IDispatch, iid, object);
}

ULONG FakeObject::AddRef() {
    return static_cast<ULONG>(++references_);
}

ULONG FakeObject::Release() {
    const LONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT FakeObject::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT FakeObject::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

HRESULT FakeObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) {
    for (std::size_t i = 0; i < properties_.size(); ++i) {
        if (lstrcmpiW(properties_[i].name.c_str(), names[0]) == 0) {
            *ids = static_cast<DISPID>(i + 1);
            return S_OK;
        }
    }
    if (kind_ == Items::CountAndItem && lstrcmpiW(names[0], L"Count") == 0) {
        *ids = CountId;
        return S_OK;
    }
    if (kind_ == Items::CountAndItem && lstrcmpiW(names[0], L"Item") == 0) {
        *ids = ItemId;
        return S_OK;
    }
    *ids = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT FakeObject::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                           VARIANT* result, EXCEPINFO* exception, UINT*) {
    if (member == DISPID_NEWENUM && kind_ == Items::Enumerator) {
        V_VT(result) = VT_UNKNOWN;
        V_UNKNOWN(result) = new ItemEnumerator(items_);
        return S_OK;
    }
    if (member == CountId && kind_ == Items::CountAndItem) {
        V_VT(result) = VT_I4;
        V_I4(result) = static_cast<LONG>(items_.size());
        return S_OK;
    }
    if (member == ItemId && kind_ == Items::CountAndItem) {
        if (params->cArgs != 1 || V_VT(&params->rgvarg[0]) != VT_I4 ||
            V_I4(&params->rgvarg[0]) < 0 ||
            static_cast<std::size_t>(V_I4(&params->rgvarg[0])) >= items_.size()) {
            return DISP_E_BADINDEX;
        }
        return VariantCopy(result, &items_[static_cast<std::size_t>(V_I4(&params->rgvarg[0]))]);
    }
    if (member < 1 || static_cast<std::size_t>(member) > properties_.size()) {
        return DISP_E_MEMBERNOTFOUND;
    }
    Property& property = properties_[static_cast<std::size_t>(member) - 1];
    if ((flags & DISPATCH_PROPERTYPUT) != 0) {
        last_put_flags = flags;
        last_put_type = V_VT(&params->rgvarg[0]);
        if (property.read_only) {
            *exception = EXCEPINFO{};
            exception->scode = static_cast<HRESULT>(0x800A017F); // 383: property is read-only
            return DISP_E_EXCEPTION;
        }
        return VariantCopy(&property.value, &params->rgvarg[0]);
    }
    if ((flags & DISPATCH_PROPERTYGET) == 0 || result == nullptr) {
        return DISP_E_MEMBERNOTFOUND;
    }
    return VariantCopy(result, &property.value);
}

VARIANT object_value(IDispatch* object) {
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_DISPATCH;
    V_DISPATCH(&value) = object;
    return value;
}

VARIANT text_value(const wchar_t* text) {
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = SysAllocString(text);
    return value;
}

SAFEARRAY* variant_array(const std::vector<VARIANT>& items) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(items.size()));
    for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i) {
        SafeArrayPutElement(array, &i, const_cast<VARIANT*>(&items[static_cast<std::size_t>(i)]));
    }
    return array;
}

} // namespace wine_checks
