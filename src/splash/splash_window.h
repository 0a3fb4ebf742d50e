// sSplash: the splash window Frm_Splash with the host's name, version, copyright and company
// over the artwork, floating over the desktop with its shadow; it closes itself after
// 12.345 seconds, or at once by "&OK" (or Enter); "Info &Sys" closes it and opens the
// companion's system information.
#pragma once

#include "automation/text.h"
#include "automation/variant.h"
#include "platform/sys_tools.h"
#include "platform/window_toolkit.h"

#include <cstdint>
#include <memory>

namespace orbek {

// The texts sSplash stores for the window to show when it loads.
struct SplashTexts {
    Text company;
    Text copyright;
    Text version;
    Text product;
};

// What the thread's window works with, for as long as the window lives: the toolkit, and
// the thread's companion object as it is when a button asks for it.
struct SplashServices {
    WindowToolkit& toolkit;
    const std::shared_ptr<SysTools>& sys_tools;
};

class SplashEvents;

// What sSplash keeps between calls on one thread.
struct SplashState {
    SplashState();
    ~SplashState();
    SplashState(const SplashState&) = delete;
    SplashState& operator=(const SplashState&) = delete;

    SplashTexts texts;
    std::int32_t form_style = 0;      // the window's Form_style property
    std::int32_t shadowed_window = 0; // the handle ShowShadowed stored (ShadowedHwnd)
    std::unique_ptr<SplashEvents> events;
    std::unique_ptr<Form> window; // Frm_Splash, made on first use; goes before its events
};

// sSplash. Each argument is converted to text and stored in this order; one that cannot be
// (Null is error 94) ends the call with the ones before it stored and nothing shown. Then
// Form_style is 1 and the window is shown modeless, loaded first when it is not loaded.
void show_splash(SplashState& state, const SplashServices& services, const Variant& Company,
                 const Variant& CopyRight, const Variant& Version, const Variant& Producto);

// The window's texts and its closing time: the timer to 12345 ms, the company line (trimmed
// of spaces, "Tesmara II" when empty) in capitals, the other three texts as given, and
// "&OK" the default button.
void FillSplashLabels(Form& window, const SplashTexts& texts);

} // namespace orbek
