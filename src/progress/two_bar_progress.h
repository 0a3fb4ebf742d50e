// The two-bar progress window: ProgressShow. Update calls show two text lines over two bars;
// the call whose first text is the end word "Fin" (both values 0 or more) can run the bars
// down and play the closing effect, then closes the window and loads it afresh, hidden.
#pragma once

#include "automation/text.h"
#include "automation/variant.h"
#include "progress/progress_windows.h"

namespace orbek {

// Whether a ProgressShow call with these values is the finishing call.
bool is_finishing_show(double reg1, double reg2, TextView s_texto1);

// ProgressShow. Returns Empty.
Variant progress_show(ProgressWindows& windows, const ProgressServices& services, double reg1,
                      double reg2, TextView s_texto1, TextView s_texto2, TextView s_title,
                      bool regresa_a_0, bool efecto_salida);

} // namespace orbek
