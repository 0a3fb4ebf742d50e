// The splash window's way of floating over the desktop: it takes a copy of the screen that it
// covers into its background surface and paints a soft shadow into that copy round its
// artwork, so that its margin shows the desktop beneath with the shadow on it.
#pragma once

#include "platform/surfaces.h"
#include "platform/window_toolkit.h"

#include <cstdint>

namespace orbek {

// Makes the window topmost and shows it, moves it beyond the screen's bottom-right corner,
// lets the desktop repaint, paints the shadowed copy into the background surface `p` round
// the artwork surface `pM`, and puts the window back. Returns the window's handle.
std::int32_t ShowShadowed(Form& window, WindowToolkit& toolkit);

// Copies into `p` the screen rectangle that the window covers when centred, paints the
// shadow with a ring `border` wide and the given colour and offsets into it, and refreshes
// `p`. A colour part that does not fit a byte is error 6, after the copy, before painting.
void CaptureAndShade(Form& window, WindowToolkit& toolkit, float border, ColourValue colour,
                     std::int32_t offsetX, std::int32_t offsetY);

} // namespace orbek
