// Pixel surfaces for the splash window's shadow.
#pragma once

#include <cstdint>

namespace orbek {

// Colour values: red in bits 0-7, green 8-15, blue 16-23.
using ColourValue = std::int32_t;

class Surface {
  public:
    virtual ~Surface() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual ColourValue get_pixel(int x, int y) const = 0;
    virtual void set_pixel(int x, int y, ColourValue colour) = 0;
};

} // namespace orbek
