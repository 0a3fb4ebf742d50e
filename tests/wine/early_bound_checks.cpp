// Both servers called early-bound through their dual interfaces' own tables of methods, as a
// compiled host binds to them: results, by-reference write-back, optional arguments left out
// as null pointers, errors as HRESULTs with the thread's error information, and the
// companion's closing roll on a real window (under Xvfb), named by a host's form too.
#include "MireldaSys.h"
#include "Orbek_DLL.h"
#include "host_checks.h"

#include <functional>
#include <windows.h>

using namespace wine_checks;

namespace {

const HRESULT InvalidArgument = static_cast<HRESULT>(0x800A0005);

// A call through a table of methods: its HRESULT and what it gave, as text.
struct Answer {
    HRESULT result;
    std::wstring text;
};

// A call, its HRESULT, and what it gives: its result as text, or after a failure the source
// and description of the thread's error information.
struct Row {
    const char* name;
    std::function<Answer()> call;
    HRESULT result;
    std::wstring expected = L"";
};

std::vector<Row> rows(_OrbekDLL* orbek, _SysTools* tools) {
    auto seconds = [orbek](const wchar_t* time) {
        Value hours(time);
        LONG result = -1;
        const HRESULT answer = orbek->Hrs2Seg(hours.get(), &result);
        return Answer{answer, std::to_wstring(result)};
    };
    auto fill = [orbek](const wchar_t* time) {
        Text hours(time);
        Text result;
        const HRESULT answer = orbek->Fillhours(hours.slot(), result.slot());
        return Answer{answer, result.str() + L" " + hours.str()};
    };
    auto sum = [orbek](bool second) {
        Value first(L"01:30:00");
        Value other(L"00:45:30");
        Text result;
        const HRESULT answer = orbek->SumaHoras(first.get(), second ? other.get() : nullptr,
                                                nullptr, nullptr, nullptr, nullptr, result.slot());
        return Answer{answer, result.str()};
    };
    auto access = [orbek](short module) {
        Text rights(L"5A0F33");
        VARIANT_BOOL granted = 1;
        const HRESULT answer = orbek->Acceso(rights.get(), &module, &granted);
        return Answer{answer, std::to_wstring(granted)};
    };
    auto days = [tools](short month) {
        short year = 2024;
        short count = 0;
        const HRESULT answer = tools->DaysInMonth(&month, &year, &count);
        return Answer{answer, std::to_wstring(count)};
    };
    return {
        {"Hrs2Seg(\"01:30:15\")", [=] { return seconds(L"01:30:15"); }, S_OK, L"5415"},
        {"Hrs2Seg without a place for its result",
         [=] {
             Value hours(L"1");
             return Answer{orbek->Hrs2Seg(hours.get(), nullptr), L""};
         },
         E_POINTER},
        {"Fillhours(\"\") writes \"00:00\" into its argument", [=] { return fill(L""); }, S_OK,
         L"00:00 00:00"},
        {"Fillhours(\"1\") is error 5", [=] { return fill(L"1"); }, InvalidArgument,
         L"Orbek_DLL: Invalid procedure call or argument"},
        {"SumaHoras with null pointers for its optional times", [=] { return sum(true); }, S_OK,
         L"02:15:30"},
        {"SumaHoras with a null pointer for a required time", [=] { return sum(false); },
         E_POINTER},
        {"Acceso with a text by value grants module 2", [=] { return access(2); }, S_OK, L"-1"},
        {"the companion's PadText(\"7\", 2)",
         [=] {
             Text text(L"7");
             Text result;
             const HRESULT answer =
                 tools->PadText(text.slot(), 2, *Value::missing(), result.slot());
             return Answer{answer, result.str()};
         },
         S_OK, L"07"},
        {"the companion's DaysInMonth(13, 2024) is error 5", [=] { return days(13); },
         InvalidArgument, L"MireldaSys: Invalid procedure call or argument"},
    };
}

void check_rows(Report& report, _OrbekDLL* orbek, _SysTools* tools) {
    for (const Row& row : rows(orbek, tools)) {
        SetErrorInfo(0, nullptr);
        const Answer answer = row.call();
        std::wstring description;
        const std::wstring source = error_info_source(&description);
        const std::wstring gave = answer.result == S_OK ? answer.text
                                  : source.empty()      ? L""
                                                        : source + L": " + description;
        auto shown = [](HRESULT result, const std::wstring& text) {
            const std::string code = hresult_text(result);
            return std::wstring(code.begin(), code.end()) + L" " + text;
        };
        report.equal(std::string("vtable ") + row.name, shown(answer.result, gave),
                     shown(row.result, row.expected));
    }
}

void check_error_info_support(Report& report, IUnknown* object, const std::string& name,
                              REFIID iid) {
    ISupportErrorInfo* support = nullptr;
    if (report.hresult(
            name + " offers ISupportErrorInfo",
            object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)),
            S_OK)) {
        report.hresult(name + " leaves error information for its interface",
                       support->InterfaceSupportsErrorInfo(iid), S_OK);
        report.hresult(name + " leaves none for IDispatch",
                       support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
        support->Release();
    }
}

// The closing roll takes a window by its handle or by a form's hWnd, rolls it up to nothing in
// its ten steps and returns when it has; a handle that is no window is error 5, and a form
// that fails gives its own error.
void check_closing_roll(Report& report, _SysTools* tools) {
    HWND shown = CreateWindowExW(0, L"STATIC", L"closing roll", WS_POPUP | WS_VISIBLE, 50, 50, 300,
                                 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    // The smallest form a host passes: an hWnd, or once unloaded the form's own error.
    HostObject form(L"hWnd", [&](VARIANT* result, EXCEPINFO* exception) {
        if (!IsWindow(shown)) {
            *exception = EXCEPINFO{};
            exception->scode = static_cast<HRESULT>(0x800A016C);
            exception->bstrDescription = SysAllocString(L"Formulario descargado");
            return DISP_E_EXCEPTION;
        }
        V_VT(result) = VT_I4;
        V_I4(result) = static_cast<LONG>(reinterpret_cast<INT_PTR>(shown));
        return S_OK;
    });
    VARIANT handle = *Value(static_cast<long>(reinterpret_cast<INT_PTR>(shown)));
    VARIANT object = *Value::of_type(VT_DISPATCH);
    V_DISPATCH(&object) = &form;
    LONG start = 0;
    LONG height = 3000; // twips
    for (const auto& [how, window] :
         {std::pair{"its handle", handle}, std::pair{"a form", object}}) {
        SetWindowPos(shown, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
        const DWORD began = GetTickCount();
        const HRESULT result = tools->CloseEffect(&start, &height, 0, window);
        RECT frame{};
        GetWindowRect(shown, &frame);
        const DWORD took = GetTickCount() - began;
        report.check(std::string("CloseEffect on a window named by ") + how +
                         " rolls it up to nothing in its steps",
                     result == S_OK && frame.bottom == frame.top && took >= 50,
                     hresult_text(result) + ", " + std::to_string(frame.bottom - frame.top) +
                         " pixels high after " + std::to_string(took) + " ms");
    }
    DestroyWindow(shown);
    report.hresult("CloseEffect on a destroyed window is error 5",
                   tools->CloseEffect(&start, &height, 0, handle), InvalidArgument);
    const HRESULT unloaded = tools->CloseEffect(&start, &height, 0, object);
    std::wstring description;
    error_info_source(&description);
    report.equal("CloseEffect on a form that fails gives the form's own error",
                 std::to_wstring(HRESULT_CODE(unloaded)) + L" " + description,
                 L"364 Formulario descargado");
}

} // namespace

int wmain() {
    Report report;
    Apartment apartment;
    _OrbekDLL* orbek = nullptr;
    _SysTools* tools = nullptr;
    const bool created =
        report.hresult("CoCreateInstance of OrbekDLL for _OrbekDLL",
                       CoCreateInstance(__uuidof(OrbekDLL), nullptr, CLSCTX_INPROC_SERVER,
                                        __uuidof(_OrbekDLL), reinterpret_cast<void**>(&orbek)),
                       S_OK) &
        report.hresult("CoCreateInstance of SysTools for _SysTools",
                       CoCreateInstance(__uuidof(SysTools), nullptr, CLSCTX_INPROC_SERVER,
                                        __uuidof(_SysTools), reinterpret_cast<void**>(&tools)),
                       S_OK);
    if (created) {
        check_rows(report, orbek, tools);
        check_error_info_support(report, orbek, "OrbekDLL", __uuidof(_OrbekDLL));
        check_error_info_support(report, tools, "SysTools", __uuidof(_SysTools));
        check_closing_roll(report, tools);
    }
    if (orbek != nullptr) {
        orbek->Release();
    }
    if (tools != nullptr) {
        tools->Release();
    }
    report.done();
    return 0;
}
