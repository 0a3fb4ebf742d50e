// The date check against host forms reached through IDispatch: every way a form may hold its
// controls, the failures a form can cause, and the user's message box.
//   dates_checks.exe              the form checks (the message goes to a recorder)
//   dates_checks.exe dialog CASE  shows the real message box for one rejected date and
//                                 reports once the user (message_box_watcher.exe) closed it
#include "automation/text.h"
#include "automation/vb_error.h"
#include "dates/form_date.h"
#include "host_checks.h"
#include "platform/win32/automation/com_text.h"
#include "platform/win32/automation/com_variant.h"
#include "platform/win32/com_sys_tools.h"
#include "platform/win32/win32_message_box.h"
#include "test_forms.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace wine_checks;
using orbek::Variant;

namespace {

class RecordingBox final : public orbek::UserMessageBox {
  public:
    void show_information(orbek::TextView, orbek::TextView) override { ++shown; }
    int shown = 0;
};

struct Outcome {
    int error = 0; // the VB error number, 0 when the call returned
    bool rejected = false;
    std::wstring prefix;
};

// FechaValida as a COM caller reaches it: the form comes in as a VARIANT.
Outcome check(orbek::SysTools& tools, orbek::UserMessageBox& box, const wchar_t* typed,
              const VARIANT& form) {
    Outcome outcome;
    orbek::Text prefix = u" txtFec ";
    try {
        const Variant form_value = orbek::com::variant_of(form);
        outcome.rejected =
            orbek::check_form_date(orbek::com::text_view_of(typed), prefix, form_value, tools, box);
    } catch (const orbek::VbError& error) {
        outcome.error = error.number();
    }
    outcome.prefix = orbek::com::wide_of(prefix);
    return outcome;
}

FakeObject* control(const wchar_t* name, bool with_text = true, bool read_only = false) {
    auto* made = new FakeObject();
    made->with_text(L"Name", name);
    if (with_text) {
        made->with_text(L"Text", L"", read_only);
    }
    return made;
}

FakeObject* form_holding(const VARIANT& controls) {
    auto* form = new FakeObject();
    form->with(L"Controls", controls);
    return form;
}

// A form whose "Controls" is a collection object of the given kind.
FakeObject* collection_form(FakeObject::Items kind, const std::vector<VARIANT>& controls) {
    auto* collection = new FakeObject();
    collection->holding(kind, controls);
    FakeObject* form = form_holding(object_value(collection));
    collection->Release();
    return form;
}

// A form whose "Controls" is an array of variants, as a script makes one.
FakeObject* array_form(const std::vector<VARIANT>& controls) {
    VARIANT array;
    V_VT(&array) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&array) = variant_array(controls);
    FakeObject* form = form_holding(array);
    VariantClear(&array);
    return form;
}

std::vector<VARIANT> values_of(const std::vector<FakeObject*>& objects) {
    std::vector<VARIANT> values;
    for (FakeObject* object : objects) {
        values.push_back(object_value(object));
    }
    return values;
}

// The ways a form may hold the four usual controls; each must fill the three date boxes.
void check_collection_kinds(Report& report, orbek::SysTools& tools) {
    struct Kind {
        const char* name;
        std::function<FakeObject*(const std::vector<VARIANT>& controls)> make_form;
    };
    SAFEARRAY* kept_array = nullptr; // the variable a by-reference array points at
    const Kind kinds[] = {
        {"a collection with an enumerator",
         [](const std::vector<VARIANT>& controls) {
             return collection_form(FakeObject::Items::Enumerator, controls);
         }},
        {"a collection with Count and Item",
         [](const std::vector<VARIANT>& controls) {
             return collection_form(FakeObject::Items::CountAndItem, controls);
         }},
        {"an array of variants", array_form},
        {"an array of variants by reference",
         [&](const std::vector<VARIANT>& controls) {
             kept_array = variant_array(controls);
             VARIANT reference;
             V_VT(&reference) = VT_BYREF | VT_ARRAY | VT_VARIANT;
             V_ARRAYREF(&reference) = &kept_array;
             return form_holding(reference);
         }},
        {"an array of objects",
         [](const std::vector<VARIANT>& controls) {
             SAFEARRAY* objects =
                 SafeArrayCreateVector(VT_DISPATCH, 0, static_cast<ULONG>(controls.size()));
             for (LONG i = 0; i < static_cast<LONG>(controls.size()); ++i) {
                 SafeArrayPutElement(objects, &i, V_DISPATCH(&controls[static_cast<size_t>(i)]));
             }
             VARIANT array;
             V_VT(&array) = VT_ARRAY | VT_DISPATCH;
             V_ARRAY(&array) = objects;
             FakeObject* form = form_holding(array);
             VariantClear(&array);
             return form;
         }},
    };
    for (const Kind& kind : kinds) {
        const std::string name = kind.name;
        RecordingBox box;
        std::vector<FakeObject*> controls = {control(L"TXTFEC1"), control(L"txtFec2"),
                                             control(L"lblFecha"), control(L"TxtFecha3")};
        FakeObject* form = kind.make_form(values_of(controls));
        const Outcome outcome = check(tools, box, L"31/04/2025", object_value(form));
        report.equal(name + ": accepted", outcome.error * 10 + outcome.rejected, 0);
        report.equal(name + ": the prefix comes back cleaned", outcome.prefix, L"TXTFEC");
        std::wstring texts;
        for (FakeObject* each : controls) {
            texts += each->text_of(L"Text") + L"|";
        }
        report.equal(name + ": the date boxes hold the cleaned date", texts,
                     L"30/04/2025|30/04/2025||30/04/2025|");
        report.equal(name + ": the text is put as a text with DISPATCH_PROPERTYPUT",
                     controls[0]->last_put_flags * 100 + controls[0]->last_put_type,
                     DISPATCH_PROPERTYPUT * 100 + VT_BSTR);
        form->Release();
        for (FakeObject* each : controls) {
            each->Release();
        }
        if (kept_array != nullptr) {
            SafeArrayDestroy(kept_array);
            kept_array = nullptr;
        }
    }
}

// What a form can do wrong, and which controls have the date by then.
void check_failures(Report& report, orbek::SysTools& tools) {
    struct Case {
        const char* name;
        std::vector<FakeObject*> controls; // those that hold the date afterwards end in "*"
        int error;
    };
    auto* plain = new FakeObject();
    const Case cases[] = {
        {"a matching control without Text is error 438; the one before keeps the date",
         {control(L"txtFecA*"), control(L"txtFecB", false), control(L"txtFecC")},
         438},
        {"a read-only Text gives the control's own error",
         {control(L"txtFecA*"), control(L"txtFecB", true, true), control(L"txtFecC")},
         383},
    };
    for (const Case& c : cases) {
        RecordingBox box;
        FakeObject* form = collection_form(FakeObject::Items::Enumerator, values_of(c.controls));
        const Outcome outcome = check(tools, box, L"31/04/2025", object_value(form));
        report.equal(c.name, outcome.error, c.error);
        bool as_expected = true;
        for (FakeObject* each : c.controls) {
            const bool marked = each->text_of(L"Name").back() == L'*';
            as_expected &= each->text_of(L"Text") == (marked ? L"30/04/2025" : L"");
            each->Release();
        }
        report.check(std::string(c.name) + " (texts)", as_expected);
        form->Release();
    }

    // Forms whose "Controls" the date never reaches.
    VARIANT no_array;
    V_VT(&no_array) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&no_array) = nullptr;
    FakeObject* unmade_array_form = form_holding(no_array);
    FakeObject* no_controls = new FakeObject();
    FakeObject* not_a_collection = form_holding(object_value(plain));
    FakeObject* first = control(L"txtFecA");
    std::vector<VARIANT> items = {object_value(first), text_value(L"txtFecB")};
    FakeObject* text_item_form = array_form(items);
    VariantClear(&items[1]);
    struct FormCase {
        const char* name;
        FakeObject* form;
        int error;
    };
    const FormCase forms[] = {
        {"a form that is Nothing is error 91", nullptr, 91},
        {"a form without Controls is error 438", no_controls, 438},
        {"Controls without enumerator, Count or Item is error 438", not_a_collection, 438},
        {"an array not made yet holds no controls", unmade_array_form, 0},
        {"an array item that is a text is error 13", text_item_form, 13},
    };
    for (const FormCase& c : forms) {
        RecordingBox box;
        report.equal(c.name, check(tools, box, L"31/04/2025", object_value(c.form)).error, c.error);
    }
    report.equal("the control before a text item keeps the date", first->text_of(L"Text"),
                 L"30/04/2025");
    for (FakeObject* made :
         {first, no_controls, not_a_collection, text_item_form, unmade_array_form, plain}) {
        made->Release();
    }
}

// The four rejections whose texts the watcher reads off the screen.
const std::pair<const wchar_t*, const wchar_t*> DialogCases[] = {
    {L"year", L"15/06/2030"},
    {L"month", L"15/13/2029"},
    {L"day", L"00/05/2024"},
    {L"mask", L"  /  /    "},
};

void show_dialog(Report& report, orbek::SysTools& tools, const std::wstring& which) {
    for (const auto& [name, typed] : DialogCases) {
        if (which != name) {
            continue;
        }
        orbek::Win32MessageBox box;
        FakeObject* date_box = control(L"txtFec1");
        FakeObject* form = collection_form(FakeObject::Items::Enumerator, {object_value(date_box)});
        const Outcome outcome = check(tools, box, typed, object_value(form));
        report.check("FechaValida " + utf8(name) + " is rejected once the box is closed",
                     outcome.error == 0 && outcome.rejected);
        report.equal("FechaValida " + utf8(name) + " changes no control",
                     date_box->text_of(L"Text"), L"");
        form->Release();
        date_box->Release();
        return;
    }
    report.check("dialog case " + utf8(which), false, "no such case");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Report report;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        std::shared_ptr<orbek::SysTools> tools;
        try {
            tools = orbek::create_com_sys_tools();
        } catch (const orbek::VbError& error) {
            report.check("the companion is created", false, error.what());
        }
        if (tools && argc == 3 && std::wstring(argv[1]) == L"dialog") {
            show_dialog(report, *tools, argv[2]);
        } else if (tools) {
            check_collection_kinds(report, *tools);
            check_failures(report, *tools);
            report.equal("every test object was released", FakeObject::alive, 0);
        }
    }
    CoUninitialize();
    report.done();
    return 0;
}
