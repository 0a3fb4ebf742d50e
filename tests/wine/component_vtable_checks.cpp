// Orbek_DLL.OrbekDLL called early-bound through the _OrbekDLL table of methods, as a
// compiled host binds to it: results, by-reference write-backs, optional arguments left out,
// errors with their error information, and a rights text made through the companion's own
// table of methods.
#include "MireldaSys.h"
#include "Orbek_DLL.h"
#include "host_checks.h"

#include <string>
#include <windows.h>

using namespace wine_checks;

namespace {

void check_time_texts(Report& report, _OrbekDLL* orbek) {
    struct SecondsCase {
        const wchar_t* text;
        long seconds;
    };
    for (const SecondsCase& c : {SecondsCase{L"01:30:15", 5415}, SecondsCase{L"", 0},
                                 SecondsCase{L"1:30", 3630}, SecondsCase{L"123:45:00", 43200}}) {
        Value hours(c.text);
        LONG seconds = -1;
        const std::string name = "vtable Hrs2Seg(\"" + utf8(c.text) + "\")";
        if (report.hresult(name + " succeeds", orbek->Hrs2Seg(hours.get(), &seconds), S_OK)) {
            report.equal(name, seconds, c.seconds);
        }
    }
    struct TextCase {
        long seconds;
        const wchar_t* text;
    };
    for (const TextCase& c : {TextCase{5415, L"01:30:15"}, TextCase{0, L"00:00:00"},
                              TextCase{90000, L"25:00:00"}, TextCase{-30, L"-1:-1:-30"}}) {
        LONG seconds = c.seconds;
        Text text;
        const std::string name = "vtable Seg2Hrs(" + std::to_string(c.seconds) + ")";
        if (report.hresult(name + " succeeds", orbek->Seg2Hrs(&seconds, text.slot()), S_OK)) {
            report.equal(name, text.str(), c.text);
            report.equal(name + " leaves its argument", seconds, c.seconds);
        }
    }

    Text empty(L"");
    Text filled;
    if (report.hresult("vtable Fillhours(\"\")", orbek->Fillhours(empty.slot(), filled.slot()),
                       S_OK)) {
        report.equal("vtable Fillhours(\"\") result", filled.str(), L"00:00");
        report.equal("vtable Fillhours writes \"00:00\" into its argument", empty.str(), L"00:00");
    }
    Text one(L"1");
    Text unused;
    report.hresult("vtable Fillhours(\"1\") is error 5",
                   orbek->Fillhours(one.slot(), unused.slot()), static_cast<HRESULT>(0x800A0005));
    std::wstring description;
    report.equal("its error information names Orbek_DLL", error_info_source(&description),
                 L"Orbek_DLL");
    report.equal("its error information describes error 5", description,
                 L"Invalid procedure call or argument");

    Value first(L"01:30:00");
    Value second(L"00:45:30");
    Value third(L"00:00:30");
    Value missing = Value::missing();
    Value missing_too = Value::missing();
    Value missing_last = Value::missing();
    Text sum;
    if (report.hresult("vtable SumaHoras with three times and three left out",
                       orbek->SumaHoras(first.get(), second.get(), third.get(), missing.get(),
                                        missing_too.get(), missing_last.get(), sum.slot()),
                       S_OK)) {
        report.equal("vtable SumaHoras result", sum.str(), L"02:16:00");
    }
    Value later(L"08:30:00");
    Value earlier(L"10:00:00");
    Text difference;
    if (report.hresult("vtable RestaHoras",
                       orbek->RestaHoras(later.get(), earlier.get(), difference.slot()), S_OK)) {
        report.equal("vtable RestaHoras of an earlier minus a later time", difference.str(),
                     L"-2:-30:00");
    }
    for (const long seconds : {86399L, 86400L}) {
        LONG argument = seconds;
        VARIANT_BOOL whole_day = 1;
        orbek->MasDeUnDia(&argument, &whole_day);
        report.equal("vtable MasDeUnDia(" + std::to_string(seconds) + ")", whole_day,
                     seconds >= 86400 ? VARIANT_TRUE : VARIANT_FALSE);
    }
    LONG level = 1;
    report.hresult("vtable Delay(1)", orbek->Delay(&level), S_OK);
    Text half(L"08:30");
    CURRENCY hours{};
    if (report.hresult("vtable HrsNumericas(\"08:30\")", orbek->HrsNumericas(half.slot(), &hours),
                       S_OK)) {
        report.equal("vtable HrsNumericas(\"08:30\") is 8.5000", hours.int64, 85000);
    }
    report.hresult("vtable Class_Initialize", orbek->Class_Initialize(), S_OK);
}

void check_access(Report& report, _OrbekDLL* orbek, _SysTools* tools) {
    Text number(L"32768");
    Text rights;
    if (!report.hresult("vtable EncodeText(\"32768\") of the companion",
                        tools->EncodeText(number.get(), rights.slot()), S_OK)) {
        return;
    }
    std::string wrong;
    for (short module = 1; module <= 16; ++module) {
        short argument = module;
        VARIANT_BOOL granted = 1;
        const HRESULT result = orbek->Acceso(rights.get(), &argument, &granted);
        const VARIANT_BOOL expected = module == 16 ? VARIANT_TRUE : VARIANT_FALSE;
        if (FAILED(result) || granted != expected || argument != module) {
            wrong += ' ';
            wrong += std::to_string(module);
        }
    }
    report.check("vtable Acceso on rights 32768 grants module 16 alone", wrong.empty(),
                 "wrong for modules" + wrong);
    short beyond = 17;
    VARIANT_BOOL granted = 0;
    report.hresult("vtable Acceso for module 17 is error 5",
                   orbek->Acceso(rights.get(), &beyond, &granted),
                   static_cast<HRESULT>(0x800A0005));
    short none = 0;
    report.hresult("vtable Acceso for module 0 is error 13",
                   orbek->Acceso(rights.get(), &none, &granted), static_cast<HRESULT>(0x800A000D));
}

} // namespace

int wmain() {
    Report report;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    _OrbekDLL* orbek = nullptr;
    _SysTools* tools = nullptr;
    const HRESULT created = CoCreateInstance(__uuidof(OrbekDLL), nullptr, CLSCTX_INPROC_SERVER,
                                             __uuidof(_OrbekDLL), reinterpret_cast<void**>(&orbek));
    if (report.hresult("CoCreateInstance of OrbekDLL for _OrbekDLL", created, S_OK)) {
        check_time_texts(report, orbek);
        if (report.hresult("CoCreateInstance of SysTools for _SysTools",
                           CoCreateInstance(__uuidof(SysTools), nullptr, CLSCTX_INPROC_SERVER,
                                            __uuidof(_SysTools), reinterpret_cast<void**>(&tools)),
                           S_OK)) {
            check_access(report, orbek, tools);
            tools->Release();
        }
        check_error_info_support(report, orbek, "OrbekDLL", __uuidof(_OrbekDLL), "_OrbekDLL");
        orbek->Release();
    }
    CoUninitialize();
    report.done();
    return 0;
}
