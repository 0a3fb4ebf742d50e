// The form's "Controls" in the shapes only a C++ host gives it, walked as For Each walks it:
// arrays held by reference, arrays of objects, arrays not made yet. Script arrays and
// collections reach the date check through the DLL in component_dates.vbs.
#include "automation/conversions.h"
#include "host_checks.h"
#include "platform/win32/automation/com_text.h"
#include "platform/win32/automation/dispatch_object.h"

using namespace wine_checks;

namespace {

// The items For Each gives, as "1 2 3" (an object shows as "object").
std::wstring items_of(const VARIANT& controls) {
    // A form whose "Controls" is the VARIANT given, as it stands.
    HostObject form(L"Controls", [&](VARIANT* result, EXCEPINFO*) {
        return VariantCopy(result, const_cast<VARIANT*>(&controls));
    });
    std::wstring seen;
    {
        orbek::com::DispatchObject object(&form);
        object.for_each_item_of(u"Controls", [&](const orbek::Variant& item) {
            const bool is_object = item.holds<orbek::Variant::ObjectRef>();
            seen += (seen.empty() ? L"" : L" ") +
                    (is_object ? L"object" : orbek::com::wide_of(orbek::to_text(item)));
        });
    }
    return form.references == 1 ? seen : seen + L" (a reference was kept)";
}

VARIANT holding(VARTYPE type, void* data) {
    VARIANT value;
    V_VT(&value) = type;
    V_BYREF(&value) = data;
    return value;
}

} // namespace

int wmain() {
    Report report;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SAFEARRAY* numbers = SafeArrayCreateVector(VT_VARIANT, 0, 3);
    for (LONG i = 0; i < 3; ++i) {
        VARIANT number = holding(VT_I4, nullptr);
        V_I4(&number) = i + 1;
        SafeArrayPutElement(numbers, &i, &number);
    }
    HostObject control(L"Text", [](VARIANT*, EXCEPINFO*) { return S_OK; });
    SAFEARRAY* objects = SafeArrayCreateVector(VT_DISPATCH, 0, 2);
    for (LONG i = 0; i < 2; ++i) {
        SafeArrayPutElement(objects, &i, static_cast<IDispatch*>(&control));
    }
    VARIANT array_variant = holding(VT_ARRAY | VT_VARIANT, numbers);

    const struct {
        const char* name;
        VARIANT controls;
        const wchar_t* items;
    } cases[] = {
        {"an array of variants", array_variant, L"1 2 3"},
        {"an array of variants by reference", holding(VT_BYREF | VT_ARRAY | VT_VARIANT, &numbers),
         L"1 2 3"},
        {"a variant by reference holding an array", holding(VT_BYREF | VT_VARIANT, &array_variant),
         L"1 2 3"},
        {"an array of objects", holding(VT_ARRAY | VT_DISPATCH, objects), L"object object"},
        {"an array not made yet", holding(VT_ARRAY | VT_VARIANT, nullptr), L""},
    };
    for (const auto& c : cases) {
        report.equal(std::string("Controls as ") + c.name, items_of(c.controls), c.items);
    }
    SafeArrayDestroy(numbers);
    SafeArrayDestroy(objects);
    report.equal("the controls of an array of objects are given back", control.references, 1);
    CoUninitialize();
    report.done();
    return 0;
}
