// Late-bound calls from a C++ host under Wine: IDispatch::Invoke with a prepared DISPPARAMS,
// against Scripting.Dictionary's Exists("abc") in the same run, best of several runs. Prints a
// table row per call: nanoseconds a call and the ratio to the baseline.
#include "bench_support.h"

#include <algorithm>
#include <cstdio>
#include <objbase.h>
#include <oleauto.h>
#include <string>
#include <vector>
#include <windows.h>

namespace {

using bench_support::create;
using bench_support::number;
using bench_support::text;

constexpr int Rounds = 5;
constexpr int CallsPerRound = 200000;

struct Case {
    const char* label;
    IDispatch* object;
    DISPID member;
    std::vector<VARIANT> arguments; // in their usual order; reversed for DISPPARAMS
};

DISPID member_id(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

// Nanoseconds a call, the best of the rounds.
double time_case(Case& c) {
    std::vector<VARIANT> reversed(c.arguments.rbegin(), c.arguments.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    return 1e9 * bench_support::best_seconds_a_call(Rounds, CallsPerRound, [&](int) {
               VARIANT result;
               VariantInit(&result);
               c.object->Invoke(c.member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                &result, nullptr, nullptr);
               VariantClear(&result);
           });
}

} // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IDispatch* orbek = create(L"Orbek_DLL.OrbekDLL");
    IDispatch* dictionary = create(L"Scripting.Dictionary");
    IDispatch* companion = create(L"MireldaSys.SysTools");
    if (orbek == nullptr || dictionary == nullptr || companion == nullptr) {
        return 1;
    }
    std::vector<Case> cases{
        {"Scripting.Dictionary.Exists(\"abc\") (baseline)",
         dictionary,
         member_id(dictionary, L"Exists"),
         {text(L"abc")}},
        {"Hrs2Seg(\"01:30:15\")", orbek, member_id(orbek, L"Hrs2Seg"), {text(L"01:30:15")}},
        {"Seg2Hrs(5415)", orbek, member_id(orbek, L"Seg2Hrs"), {number(5415)}},
        {"SumaHoras of six times",
         orbek,
         member_id(orbek, L"SumaHoras"),
         {text(L"01:30:00"), text(L"00:45:30"), text(L"02:00:15"), text(L"00:00:45"),
          text(L"10:10:10"), text(L"03:03:03")}},
        {"MasDeUnDia(86400)", orbek, member_id(orbek, L"MasDeUnDia"), {number(86400)}},
        {"the companion's PadText(\"7\", 2)",
         companion,
         member_id(companion, L"PadText"),
         {text(L"7"), number(2)}},
    };
    const double baseline = time_case(cases[0]);
    std::printf("| call | time a call | ratio to Exists |\n|---|---|---|\n");
    for (Case& c : cases) {
        const double nanoseconds = &c == &cases[0] ? baseline : time_case(c);
        std::printf("| %s | %.0f ns | %.2f |\n", c.label, nanoseconds, nanoseconds / baseline);
        for (VARIANT& argument : c.arguments) {
            VariantClear(&argument);
        }
    }
    orbek->Release();
    dictionary->Release();
    companion->Release();
    CoUninitialize();
    return 0;
}
