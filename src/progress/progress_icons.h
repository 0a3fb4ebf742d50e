// The icons of the two progress windows, drawn in code in the 16 colours of the standard
// palette: a dial for the single-bar window, two bars for the two-bar window.
#pragma once

#include "platform/form_design.h"

namespace orbek {

IconImage dial_icon(int size);
IconImage two_bars_icon(int size);

} // namespace orbek
