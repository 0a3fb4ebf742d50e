// What a record line of the usage log costs a C++ host under Wine, against the file system
// object's TextStream.WriteLine of the same text called the same way (IDispatch::Invoke) in
// the same run; and, for scale, the same line written by the C library's buffered stream and
// by one WriteFile, the least a line that must reach the system before the call returns
// costs. Best of several runs. Prints a Markdown table.
#include "bench_support.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <objbase.h>
#include <oleauto.h>
#include <string>
#include <utility>
#include <windows.h>

namespace {

using bench_support::create;

constexpr int Rounds = 5;
constexpr int LinesPerRound = 20000;
constexpr char Line[] = "ana, Posting, Juan, 15/03/2023, ok,  06/12/2026 14:30:15\r\n";

// Calls `name` with `count` arguments given in their usual order; the result, if any.
VARIANT invoke(IDispatch* object, const wchar_t* name, VARIANT* arguments, UINT count) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    std::reverse(arguments, arguments + count);
    DISPPARAMS params{arguments, nullptr, count, 0};
    VARIANT result;
    VariantInit(&result);
    object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr,
                   nullptr);
    std::reverse(arguments, arguments + count);
    return result;
}

VARIANT text(const wchar_t* value) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(value);
    return v;
}

VARIANT number(LONG value) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

VARIANT missing() {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_ERROR;
    V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
    return v;
}

// Microseconds a line, the best of the rounds.
double time_lines(const std::function<void()>& line) {
    return 1e6 * bench_support::best_seconds_a_call(Rounds, LinesPerRound, [&](int) { line(); });
}

} // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CreateDirectoryW(L"C:\\Kalvix", nullptr);
    DeleteFileW(L"C:\\Kalvix\\Tesmara.Log");
    IDispatch* orbek = create(L"Orbek_DLL.OrbekDLL");
    IDispatch* files = create(L"Scripting.FileSystemObject");
    if (orbek == nullptr || files == nullptr) {
        return 1;
    }
    VARIANT open[] = {text(L"C:\\Kalvix\\Stream.Log"), number(2), VARIANT{}, number(0)};
    V_VT(&open[2]) = VT_BOOL;
    V_BOOL(&open[2]) = VARIANT_TRUE;
    VARIANT stream = invoke(files, L"OpenTextFile", open, 4);
    VARIANT line[] = {text(L"ana, Posting, Juan, 15/03/2023, ok,  06/12/2026 14:30:15")};
    const double baseline = time_lines([&] { invoke(V_DISPATCH(&stream), L"WriteLine", line, 1); });
    invoke(V_DISPATCH(&stream), L"Close", nullptr, 0);

    VARIANT start[] = {number(1), text(L"Posting"), missing(),    missing(),   missing(),
                       missing(), text(L""),        text(L"ana"), text(L"7.1")};
    invoke(orbek, L"Log", start, 9);
    // The four values as a script passes its variables: by reference, written back each time.
    VARIANT values[4];
    VARIANT record[] = {number(2), text(L"Posting"), {}, {}, {}, {}, text(L""), text(L"ana")};
    for (int i = 0; i < 4; ++i) {
        VariantInit(&values[i]);
        V_VT(&record[2 + i]) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&record[2 + i]) = &values[i];
    }
    const double logged = time_lines([&] {
        const wchar_t* given[] = {L" Juan ", L"15/03/2023", nullptr, L"ok"};
        for (int i = 0; i < 4; ++i) {
            VariantClear(&values[i]);
            values[i] = given[i] ? text(given[i]) : missing();
        }
        invoke(orbek, L"Log", record, 8);
    });
    // The same call in a mode that writes nothing: what binding and writing back cost.
    V_I4(&record[0]) = 0;
    const double idle = time_lines([&] {
        const wchar_t* given[] = {L" Juan ", L"15/03/2023", nullptr, L"ok"};
        for (int i = 0; i < 4; ++i) {
            VariantClear(&values[i]);
            values[i] = given[i] ? text(given[i]) : missing();
        }
        invoke(orbek, L"Log", record, 8);
    });
    VARIANT end[] = {number(3), text(L"Posting")};
    invoke(orbek, L"Log", end, 2);

    std::FILE* buffered = std::fopen("C:\\Kalvix\\Buffered.Log", "wb");
    const double stdio = time_lines([&] { std::fputs(Line, buffered); });
    std::fclose(buffered);
    const HANDLE file = CreateFileW(L"C:\\Kalvix\\Written.Log", FILE_APPEND_DATA, FILE_SHARE_READ,
                                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const double written = time_lines([&] {
        DWORD count = 0;
        WriteFile(file, Line, sizeof Line - 1, &count, nullptr);
    });
    CloseHandle(file);

    std::printf("| a line written by | time a line | ratio to WriteLine |\n|---|---|---|\n");
    const std::pair<const char*, double> rows[] = {
        {"TextStream.WriteLine through Invoke (baseline)", baseline},
        {"Log 2 through Invoke, four values by reference", logged},
        {"Log 0 through Invoke, the same arguments (writes nothing)", idle},
        {"fputs on a buffered C stream", stdio},
        {"one WriteFile", written},
    };
    for (const auto& [label, microseconds] : rows) {
        std::printf("| %s | %.2f us | %.2f |\n", label, microseconds, microseconds / baseline);
    }
    for (const wchar_t* name : {L"Stream.Log", L"Tesmara.Log", L"Buffered.Log", L"Written.Log"}) {
        DeleteFileW((std::wstring(L"C:\\Kalvix\\") + name).c_str());
    }
    orbek->Release();
    files->Release();
    CoUninitialize();
    return 0;
}
