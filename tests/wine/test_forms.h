// Host forms and controls as IDispatch objects, built in C++ the ways a host may build them:
// controls with a Name and a Text, and a form whose "Controls" is a collection with an
// enumerator, one with only Count and Item, an array of objects, or whatever a check needs.
#pragma once

#include <oaidl.h>
#include <string>
#include <vector>
#include <windows.h>

namespace wine_checks {

// An object with named properties (found in any letter case). Properties are read with
// DISPATCH_PROPERTYGET and written with DISPATCH_PROPERTYPUT only; a read-only one fails
// with the host language's error 383. It can also be a collection of items.
class FakeObject final : public IDispatch {
  public:
    enum class Items { None, Enumerator, CountAndItem };

    FakeObject();
    FakeObject(const FakeObject&) = delete;
    FakeObject& operator=(const FakeObject&) = delete;

    // Adds a property holding a copy of `value`.
    FakeObject& with(const wchar_t* name, const VARIANT& value, bool read_only = false);
    FakeObject& with_text(const wchar_t* name, const wchar_t* text, bool read_only = false);
    // Makes it a collection of copies of these items, reached as `kind` says.
    FakeObject& holding(Items kind, const std::vector<VARIANT>& items);

    // A property's current value as text ("" when it holds none), and how it was last put.
    std::wstring text_of(const wchar_t* name) const;
    WORD last_put_flags = 0;
    VARTYPE last_put_type = VT_EMPTY;

    // Objects of this kind alive now, to see that every reference was given back.
    static int alive;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT*) override;

  private:
    ~FakeObject();

    struct Property {
        std::wstring name;
        VARIANT value;
        bool read_only;
    };
    static constexpr DISPID CountId = 1000;
    static constexpr DISPID ItemId = 1001;

    std::vector<Property> properties_;
    std::vector<VARIANT> items_;
    Items kind_ = Items::None;
    LONG references_ = 1;
};

// VARIANTs that borrow what they point at (the caller keeps it alive); `holding` and `with`
// copy them.
VARIANT object_value(IDispatch* object); // VT_DISPATCH, null for Nothing
VARIANT text_value(const wchar_t* text); // a new BSTR: clear it after use

// A SAFEARRAY of VARIANTs (as scripts make them) holding copies of the items.
SAFEARRAY* variant_array(const std::vector<VARIANT>& items);

} // namespace wine_checks
