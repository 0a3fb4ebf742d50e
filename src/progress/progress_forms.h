// The designs of the two progress windows and the names the progress code reaches their
// controls by.
#pragma once

#include "platform/form_design.h"

#include <cstdint>

namespace orbek::progress_forms {

// The controls' dispatch members that take their value.
inline constexpr std::int32_t BarValue = 0x68030002;
inline constexpr std::int32_t DialValue = 0x68030000;

// FrmProgressBar: a dial over a text line and a bar, near the screen's top-left corner.
inline constexpr std::int32_t SingleBarHeight = 3135;
inline constexpr char SingleBarDial[] = "gauge1";
inline constexpr char SingleBarText[] = "Label1";
inline constexpr char SingleBarBar[] = "BarraVista1";
FormDesign single_bar_design();

// FrmProgShow: two text lines, each over its bar, centred on the screen.
inline constexpr std::int32_t TwoBarHeight = 2085;
inline constexpr char TwoBarUpperText[] = "LblTxt1";
inline constexpr char TwoBarUpperBar[] = "ProgressBar1";
inline constexpr char TwoBarLowerText[] = "LblTxt2";
inline constexpr char TwoBarLowerBar[] = "ProgressBar2";
FormDesign two_bar_design();

} // namespace orbek::progress_forms
