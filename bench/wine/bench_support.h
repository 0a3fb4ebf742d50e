// What the Wine benchmark hosts share: making an object by its ProgID, the VARIANTs they pass
// (the caller clears them) and the timing of a loop of calls.
#pragma once

#include <algorithm>
#include <cstdio>
#include <windows.h>

namespace bench_support {

inline IDispatch* create(const wchar_t* prog_id) {
    CLSID id;
    IDispatch* object = nullptr;
    if (FAILED(CLSIDFromProgID(prog_id, &id)) ||
        FAILED(CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&object)))) {
        std::fprintf(stderr, "cannot create %ls\n", prog_id);
        return nullptr;
    }
    return object;
}

inline VARIANT made(VARTYPE type) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = type;
    return v;
}

inline VARIANT text(const wchar_t* value) {
    VARIANT v = made(VT_BSTR);
    V_BSTR(&v) = SysAllocString(value);
    return v;
}

inline VARIANT number(LONG value) {
    VARIANT v = made(VT_I4);
    V_I4(&v) = value;
    return v;
}

inline VARIANT real(double value) {
    VARIANT v = made(VT_R8);
    V_R8(&v) = value;
    return v;
}

// A whole amount as Currency (the value times 10,000).
inline VARIANT money(long long whole) {
    VARIANT v = made(VT_CY);
    V_CY(&v).int64 = whole * 10000;
    return v;
}

// The seconds a call took in the quickest of `rounds` rounds of `calls` calls; `call(i)` makes
// call number i of a round.
template <typename Call> double best_seconds_a_call(int rounds, int calls, Call&& call) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    double best = 1e300;
    for (int round = 0; round < rounds; ++round) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        for (int i = 0; i < calls; ++i) {
            call(i);
        }
        QueryPerformanceCounter(&end);
        best = std::min(best, static_cast<double>(end.QuadPart - start.QuadPart) /
                                  static_cast<double>(frequency.QuadPart) / calls);
    }
    return best;
}

} // namespace bench_support
