// The single-bar progress window: ProgressBar (a value of a maximum) and STIProgressBar (a
// ready percentage). Update calls show the window with the dial, the text line and the bar;
// the finishing call can run both indicators down and play the closing effect, then hides it.
#pragma once

#include "automation/currency.h"
#include "automation/text.h"
#include "automation/variant.h"
#include "progress/progress_windows.h"

#include <cstdint>

namespace orbek {

// Valor * 100 / Max, rounded to Currency; error 6 when it does not fit (Max 0 included).
Currency progress_percentage(Currency valor, Currency max);

// ProgressBar. `min` is accepted and takes no part. Returns Empty.
Variant progress_bar(ProgressWindows& windows, const ProgressServices& services, Currency valor,
                     Currency min, Currency max, TextView ver_registro, TextView titulo,
                     bool regresa_a_0, bool efecto_salida);

// STIProgressBar. Returns Empty.
Variant sti_progress_bar(ProgressWindows& windows, const ProgressServices& services,
                         std::int16_t ipercentage, TextView s_message, TextView s_title,
                         bool regresa_a_0, bool efecto_salida);

} // namespace orbek
