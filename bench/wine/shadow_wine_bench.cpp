// The splash's drop shadow under Wine, the two ways in one run: pixel by pixel with GetPixel
// and SetPixel on the background's device context (what painting through a picture surface
// costs on Windows), and straight into the 32-bit bitmap of the screen copy. With a size of
// 797 x 445 it also opens the splash through the registered Orbek_DLL.dll and times sSplash
// from the call to its return (the window is closed with Enter between the calls). Prints one
// table row per way, in the form docs/performance.md uses.
#include "platform/win32/screen_copy.h"
#include "splash/capture_and_shade.h"
#include "splash/draw_shadow.h"

#include <algorithm>
#include <cstdio>
#include <oleauto.h>
#include <vector>
#include <windows.h>

using namespace orbek;

namespace {

double seconds_now() {
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Paint> double seconds_per_run(int runs, Paint paint) {
    const double start = seconds_now();
    for (int i = 0; i < runs; ++i)
        paint();
    return (seconds_now() - start) / runs;
}

void pump(int milliseconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (GetTickCount64() < end);
}

// sSplash late-bound, four texts by reference as a script passes them: the seconds from the
// call to its return, for the first call and the median of the ones after it.
bool time_splash(double& first, double& median) {
    CLSID id;
    IDispatch* component = nullptr;
    if (FAILED(CLSIDFromProgID(L"Orbek_DLL.OrbekDLL", &id)) ||
        FAILED(CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&component))))
        return false;
    LPOLESTR name[] = {const_cast<LPOLESTR>(L"sSplash")};
    DISPID member = DISPID_UNKNOWN;
    component->GetIDsOfNames(IID_NULL, name, 1, LOCALE_USER_DEFAULT, &member);
    VARIANT texts[4];
    VARIANT references[4];
    for (int i = 0; i < 4; ++i) {
        VariantInit(&texts[i]);
        V_VT(&texts[i]) = VT_BSTR;
        V_BSTR(&texts[i]) = SysAllocString(L"Tesmara");
        V_VT(&references[i]) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&references[i]) = &texts[i];
    }
    std::vector<double> times;
    for (int call = 0; call < 11; ++call) {
        DISPPARAMS arguments{references, nullptr, 4, 0};
        const double start = seconds_now();
        component->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &arguments,
                          nullptr, nullptr, nullptr);
        times.push_back(seconds_now() - start);
        pump(50);
        HWND splash = FindWindowW(L"OrbekForm", L"Form1");
        SendMessageW(splash, WM_KEYDOWN, VK_RETURN, 0);
        pump(50);
    }
    for (VARIANT& text : texts)
        VariantClear(&text);
    component->Release();
    first = times.front();
    std::sort(times.begin() + 1, times.end());
    median = times[times.size() / 2 + 1];
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // The splash window: its artwork surface of 733 x 381 with the margin of 32 round it.
    const int width = argc > 2 ? _wtoi(argv[1]) : 797;
    const int height = argc > 2 ? _wtoi(argv[2]) : 445;
    ScreenCopy copy(width, height);
    copy.copy_from_screen(0, 0);
    const ShadowSpec spec = capture_shadow_spec(
        SplashMargin, SplashShadowColour, SplashShadowOffsetX, SplashShadowOffsetY, width, height);
    DeviceContextSurface surface(copy.device(), width, height);
    const double by_pixel = seconds_per_run(3, [&] { DrawShadow(surface, spec); });
    const double direct = seconds_per_run(300, [&] { DrawShadow(copy.pixels(), spec); });
    std::printf("| GetPixel/SetPixel on the device context (baseline), %dx%d | %.2f ms | 1 |\n",
                width, height, by_pixel * 1e3);
    std::printf("| into the 32-bit bitmap, %dx%d | %.3f ms | %.0f times quicker |\n", width, height,
                direct * 1e3, by_pixel / direct);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    double first = 0;
    double median = 0;
    if (width == 797 && time_splash(first, median)) {
        std::printf("| sSplash from the call to its return, the first call | %.1f ms | %.2f |\n",
                    first * 1e3, first / by_pixel);
        std::printf("| sSplash, the median of ten more | %.1f ms | %.2f |\n", median * 1e3,
                    median / by_pixel);
    }
    CoUninitialize();
    return 0;
}
