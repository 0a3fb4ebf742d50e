// Pixel surfaces for the splash window's shadow.
#pragma once

#include <cstdint>

namespace orbek {

// Colour values: red in bits 0-7, green 8-15, blue 16-23.
using ColourValue = std::int32_t;

// What reading a pixel outside a surface gives, as a device context answers (CLR_INVALID).
inline constexpr ColourValue InvalidColour = -1;

// A picture surface read and written one pixel at a time. Like a device context, it answers
// InvalidColour for a pixel outside it and ignores a write there.
class Surface {
  public:
    virtual ~Surface() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual ColourValue get_pixel(int x, int y) const = 0;
    virtual void set_pixel(int x, int y, ColourValue colour) = 0;
};

// A 32-bit image in memory, laid out as a top-down 32-bit device-independent bitmap: `width`
// pixels a row, rows from the top, each pixel 0x00RRGGBB (blue in the lowest byte). The
// fourth byte carries no colour.
struct PixelBuffer {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};

inline ColourValue colour_of_pixel(std::uint32_t pixel) {
    return static_cast<ColourValue>(((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) |
                                    ((pixel & 0xFFu) << 16));
}

// Only the colour's three low bytes are kept; the fourth byte of the pixel becomes 0.
inline std::uint32_t pixel_of_colour(ColourValue colour) {
    const auto value = static_cast<std::uint32_t>(colour);
    return ((value >> 16) & 0xFFu) | (value & 0xFF00u) | ((value & 0xFFu) << 16);
}

} // namespace orbek
