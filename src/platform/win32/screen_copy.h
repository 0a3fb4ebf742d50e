// The screen copy behind the splash window's shadow: a rectangle of the screen copied into a
// 32-bit device-independent bitmap that the shadow can be painted into directly, and a
// Surface that reads and writes any device context one pixel at a time.
#pragma once

#include "platform/surfaces.h"

#include <windows.h>

namespace orbek {

class ScreenCopy {
  public:
    // A black top-down 32-bit bitmap of this size, selected into a memory device context.
    // Error 7 when the bitmap or the context cannot be made, error 5 for a size below 1.
    ScreenCopy(int width, int height);
    ~ScreenCopy();
    ScreenCopy(const ScreenCopy&) = delete;
    ScreenCopy& operator=(const ScreenCopy&) = delete;

    // Copies the screen rectangle of the bitmap's size whose top-left corner is at (x, y):
    // GetDC(NULL), BitBlt SRCCOPY to (0, 0), ReleaseDC. Parts beyond the screen come out as
    // the platform gives them. Error 7 when the screen's device context cannot be had or the
    // copy fails.
    void copy_from_screen(int x, int y);

    // The bitmap's pixels, after every drawing GDI still holds back has reached them.
    PixelBuffer pixels();
    // The memory device context holding the bitmap: to paint the copy into a window.
    HDC device() const { return device_; }
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    int width_;
    int height_;
    HDC device_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ replaced_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// GetPixel and SetPixel on a device context, as a picture surface offers them: outside the
// context's bitmap a read gives InvalidColour and a write does nothing.
class DeviceContextSurface final : public Surface {
  public:
    DeviceContextSurface(HDC device, int width, int height)
        : device_(device), width_(width), height_(height) {}

    int width() const override { return width_; }
    int height() const override { return height_; }
    ColourValue get_pixel(int x, int y) const override;
    void set_pixel(int x, int y, ColourValue colour) override;

  private:
    HDC device_;
    int width_;
    int height_;
};

} // namespace orbek
