#include "progress/progress_icons.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace orbek {
namespace {

// Indices into the standard 16-colour palette.
enum Palette : std::uint8_t {
    Black = 0,
    Navy = 4,
    Silver = 7,
    Grey = 8,
    Red = 9,
    Lime = 10,
    Blue = 12,
    White = 15,
};

// Icons are drawn on a 32-pixel grid and scaled down, so both sizes show the same picture.
class IconCanvas {
  public:
    explicit IconCanvas(int size) : scale_(size / 32.0) {
        image_.size = size;
        image_.pixels.assign(static_cast<std::size_t>(size) * size, IconImage::Transparent);
    }

    void fill_rect(double left, double top, double right, double bottom, std::uint8_t colour) {
        for (int y = pixel(top); y < pixel(bottom); ++y) {
            for (int x = pixel(left); x < pixel(right); ++x) {
                put(x, y, colour);
            }
        }
    }

    void fill_disc(double centre_x, double centre_y, double radius, std::uint8_t colour) {
        const double cx = centre_x * scale_;
        const double cy = centre_y * scale_;
        const double r = radius * scale_;
        for (int y = 0; y < image_.size; ++y) {
            for (int x = 0; x < image_.size; ++x) {
                if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= r) {
                    put(x, y, colour);
                }
            }
        }
    }

    void line(double x0, double y0, double x1, double y1, double width, std::uint8_t colour) {
        const double length = std::hypot(x1 - x0, y1 - y0);
        const int steps = std::max(1, static_cast<int>(length * 4));
        for (int step = 0; step <= steps; ++step) {
            const double t = static_cast<double>(step) / steps;
            fill_disc(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, colour);
        }
    }

    IconImage take() { return std::move(image_); }

  private:
    int pixel(double grid) const { return static_cast<int>(std::lround(grid * scale_)); }
    void put(int x, int y, std::uint8_t colour) {
        if (x >= 0 && y >= 0 && x < image_.size && y < image_.size) {
            image_.pixels[static_cast<std::size_t>(y) * image_.size + x] = colour;
        }
    }

    double scale_;
    IconImage image_;
};

} // namespace

IconImage dial_icon(int size) {
    IconCanvas canvas(size);
    canvas.fill_disc(16, 16, 15.5, Black);
    canvas.fill_disc(16, 16, 14, White);
    // The scale's ticks from the lower left round to the lower right, as on the dial itself.
    for (int tick = 0; tick <= 10; ++tick) {
        const double angle = (225.0 - 27.0 * tick) * std::numbers::pi / 180.0;
        canvas.line(16 + 10.5 * std::cos(angle), 16 - 10.5 * std::sin(angle),
                    16 + 13 * std::cos(angle), 16 - 13 * std::sin(angle), 1.2, Navy);
    }
    canvas.line(16, 16, 24, 9, 2.2, Red);
    canvas.fill_disc(16, 16, 2.5, Black);
    canvas.fill_rect(11, 22, 21, 26, Silver);
    return canvas.take();
}

IconImage two_bars_icon(int size) {
    IconCanvas canvas(size);
    canvas.fill_rect(1, 3, 31, 29, Grey);
    canvas.fill_rect(2, 4, 30, 28, Silver);
    for (const double top : {6.0, 17.0}) {
        canvas.fill_rect(5, top, 27, top + 2, Black); // the text line
        canvas.fill_rect(4, top + 4, 28, top + 9, Black);
        canvas.fill_rect(5, top + 5, 27, top + 8, White);
    }
    canvas.fill_rect(5, 11, 20, 14, Blue);
    canvas.fill_rect(5, 22, 25, 25, Lime);
    return canvas.take();
}

} // namespace orbek
