// The soft drop shadow: the shadow colour blended into the pixels of a ring around a rounded
// rectangle, fading from the full colour at the rectangle's edge to the untouched picture at
// the ring's outer edge. Nothing inside the rectangle is painted.
#pragma once

#include "platform/surfaces.h"
#include "splash/shadow_spec.h"

namespace orbek {

// Paints through the surface one pixel at a time, reading each pixel just before writing it,
// in three passes: the left and right sides row by row, the four corners, then the top and
// bottom sides. Pixels of the ring outside the surface are read as the invalid colour and
// their writes go nowhere, as with a device context. Nothing when spec.Visible is false;
// error 5 when spec.Size is below 1.
void DrawShadow(Surface& surface, const ShadowSpec& spec);

// The same pixels, painted straight into a 32-bit image: what the splash window uses. Parts
// of the ring outside the image are skipped, so any spec paints in time bounded by the
// image. The fourth byte of every painted pixel becomes 0.
void DrawShadow(PixelBuffer image, const ShadowSpec& spec);

} // namespace orbek
