#include "platform/win32/screen_copy.h"

#include "automation/vb_error.h"

namespace orbek {

ScreenCopy::ScreenCopy(int width, int height) : width_(width), height_(height) {
    if (width < 1 || height < 1)
        throw VbError(vb::InvalidProcedureCall);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // negative: the first row is the top one
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    device_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = device_ != nullptr
                  ? CreateDIBSection(device_, &format, DIB_RGB_COLORS, &bits, nullptr, 0)
                  : nullptr;
    if (bitmap_ == nullptr || bits == nullptr) {
        if (device_ != nullptr)
            DeleteDC(device_);
        throw VbError(vb::OutOfMemory);
    }
    bits_ = static_cast<std::uint32_t*>(bits);
    replaced_ = SelectObject(device_, bitmap_);
}

ScreenCopy::~ScreenCopy() {
    SelectObject(device_, replaced_);
    DeleteObject(bitmap_);
    DeleteDC(device_);
}

void ScreenCopy::copy_from_screen(int x, int y) {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr)
        throw VbError(vb::OutOfMemory);
    const BOOL copied = BitBlt(device_, 0, 0, width_, height_, screen, x, y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    if (!copied)
        throw VbError(vb::OutOfMemory);
}

PixelBuffer ScreenCopy::pixels() {
    GdiFlush();
    return {bits_, width_, height_};
}

ColourValue DeviceContextSurface::get_pixel(int x, int y) const {
    return static_cast<ColourValue>(GetPixel(device_, x, y));
}

void DeviceContextSurface::set_pixel(int x, int y, ColourValue colour) {
    SetPixel(device_, x, y, static_cast<COLORREF>(colour));
}

} // namespace orbek
