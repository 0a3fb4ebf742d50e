// A picture held in memory: a 32-bit image that owns its pixels, and a Surface view of any
// 32-bit image that reads and writes one pixel at a time.
#pragma once

#include "platform/surfaces.h"

#include <cstdint>
#include <vector>

namespace orbek {

class Picture {
  public:
    Picture() = default;
    // Every pixel starts as `fill` (0x00RRGGBB). Sizes below 0 count as 0.
    Picture(int width, int height, std::uint32_t fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t& at(int x, int y) { return pixels_[index(x, y)]; }
    std::uint32_t at(int x, int y) const { return pixels_[index(x, y)]; }
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }
    PixelBuffer buffer() { return {pixels_.data(), width_, height_}; }

  private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// Reads give the pixel's colour value (its fourth byte left out), or InvalidColour outside
// the image; writes outside the image are ignored.
class PixelBufferSurface final : public Surface {
  public:
    explicit PixelBufferSurface(PixelBuffer image) : image_(image) {}

    int width() const override { return image_.width; }
    int height() const override { return image_.height; }
    ColourValue get_pixel(int x, int y) const override;
    void set_pixel(int x, int y, ColourValue colour) override;

  private:
    bool contains(int x, int y) const {
        return x >= 0 && x < image_.width && y >= 0 && y < image_.height;
    }
    std::uint32_t& at(int x, int y) const {
        return image_.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image_.width) +
                             static_cast<std::size_t>(x)];
    }

    PixelBuffer image_;
};

} // namespace orbek
