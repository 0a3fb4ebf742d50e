// Update calls of the progress windows from a C++ host under Wine (on a display), late bound
// through IDispatch::Invoke as a script host calls them, against MasDeUnDia in the same run:
// 10,000 calls a row, the best of five rounds. Prints a table row per loop: microseconds a
// call and the ratio to MasDeUnDia.
#include "bench_support.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <objbase.h>
#include <oleauto.h>
#include <string>
#include <vector>
#include <windows.h>

namespace {

using bench_support::money;
using bench_support::number;
using bench_support::real;

VARIANT text(const std::wstring& value) {
    return bench_support::text(value.c_str());
}

constexpr int Calls = 10000;
constexpr int Rounds = 5;

class Object {
  public:
    explicit Object(IDispatch* object) : object_(object) {}

    DISPID member(const wchar_t* name) const {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        DISPID id = DISPID_UNKNOWN;
        object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        return id;
    }

    // The arguments in their usual order; they are cleared afterwards.
    void call(DISPID member, std::vector<VARIANT> arguments) const {
        std::reverse(arguments.begin(), arguments.end());
        DISPPARAMS params{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
        VARIANT result;
        VariantInit(&result);
        object_->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result,
                        nullptr, nullptr);
        VariantClear(&result);
        for (VARIANT& argument : arguments) {
            VariantClear(&argument);
        }
    }

  private:
    IDispatch* object_;
};

} // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IDispatch* dispatch = bench_support::create(L"Orbek_DLL.OrbekDLL");
    if (dispatch == nullptr) {
        return 1;
    }
    const Object orbek(dispatch);
    const DISPID one_day = orbek.member(L"MasDeUnDia");
    const DISPID bar = orbek.member(L"ProgressBar");
    const DISPID show = orbek.member(L"ProgressShow");
    const std::wstring title = L"Procesando ...";
    // Record i of 10,000: the dial and the text line change on every call, the bar on every
    // hundredth.
    auto record = [&](int valor, int line) {
        orbek.call(bar, {money(valor), money(0), money(Calls),
                         text(L"Registro " + std::to_wstring(line) + L" de 10000"), text(title)});
    };

    struct Row {
        const char* label;
        std::function<void(int)> call;
    };
    const Row rows[] = {
        {"MasDeUnDia(86400) (baseline)", [&](int) { orbek.call(one_day, {number(86400)}); }},
        {"ProgressBar, record i of 10,000", [&](int i) { record(i, i); }},
        {"ProgressBar, the same record again (nothing to redraw)",
         [&](int) { record(5000, 5000); }},
        {"ProgressBar, a new text line only", [&](int i) { record(5000, i); }},
        {"ProgressBar, a new value only", [&](int i) { record(i, 5000); }},
        {"ProgressShow, i and 10,000 - i of 10,000",
         [&](int i) {
             orbek.call(show, {real(i / 100.0), real((Calls - i) / 100.0),
                               text(L"Clientes " + std::to_wstring(i)),
                               text(L"Facturas " + std::to_wstring(Calls - i)), text(title)});
         }},
    };
    double baseline = 0;
    std::printf("| loop of 10,000 calls | time a call | ratio to MasDeUnDia |\n|---|---|---|\n");
    for (const Row& row : rows) {
        const double microseconds =
            1e6 * bench_support::best_seconds_a_call(Rounds, Calls, row.call);
        baseline = baseline == 0 ? microseconds : baseline;
        std::printf("| %s | %.2f us | %.0f |\n", row.label, microseconds, microseconds / baseline);
    }
    orbek.call(bar, {money(1), money(0), money(1), text(L""), text(L"")});
    orbek.call(show, {real(0), real(0), text(L"Fin")});
    dispatch->Release();
    CoUninitialize();
    return 0;
}
