// The bar (QLBBarraVista.BarraVista) and the dial (QLBGauge.gauge): child windows drawn with
// GDI, each reached through its own IDispatch. The component's forms create them directly in
// their own process; they are not registered as COM classes.
#pragma once

#include <oaidl.h>
#include <windows.h>

namespace orbek::controls {

// The dispatch members of the two controls.
inline constexpr DISPID BarValueMember = 0x68030002;  // Long: the fill in per cent
inline constexpr DISPID DialValueMember = 0x68030000; // Currency: the value in per cent
inline constexpr DISPID DialMaxMember = 0x68030001;   // Single: the full scale; 0 means 100

// A new control of the class named by its programmatic identifier, as a child window of
// `parent` at `place` (pixels of the parent's client area), with one reference for the
// caller. Null when the class is not one of ours or the window cannot be made.
IDispatch* create_display_control(const wchar_t* class_name, HWND parent, const RECT& place,
                                  HINSTANCE instance);

// The control whose window this is, with a new reference; null for any other window.
IDispatch* display_control_of_window(HWND window);

// Called when the module that registered the window classes goes away.
void unregister_display_control_classes(HINSTANCE instance);

} // namespace orbek::controls
