#include "splash/picture.h"

#include <algorithm>

namespace orbek {

Picture::Picture(int width, int height, std::uint32_t fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

ColourValue PixelBufferSurface::get_pixel(int x, int y) const {
    return contains(x, y) ? colour_of_pixel(at(x, y)) : InvalidColour;
}

void PixelBufferSurface::set_pixel(int x, int y, ColourValue colour) {
    if (contains(x, y))
        at(x, y) = pixel_of_colour(colour);
}

} // namespace orbek
