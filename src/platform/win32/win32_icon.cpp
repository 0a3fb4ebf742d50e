#include "platform/win32/win32_icon.h"

#include <array>
#include <cstdint>
#include <vector>

namespace orbek {
namespace {

// The standard 16-colour palette, in the order of its indices.
constexpr std::array<COLORREF, 16> Palette{
    RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
    RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
    RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
    RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};

} // namespace

HICON create_icon(const IconImage& image) {
    const int size = image.size;
    if (size <= 0 || image.pixels.size() != static_cast<std::size_t>(size) * size) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size; // top row first, as the image is kept
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    // The mask: one bit a pixel, rows padded to 16 bits; a set bit lets the desktop through.
    const int mask_row_bytes = (size + 15) / 16 * 2;
    std::vector<std::uint8_t> mask_bits(static_cast<std::size_t>(mask_row_bytes) * size, 0);
    if (colour == nullptr) {
        return nullptr;
    }
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const std::uint8_t index = image.pixels[static_cast<std::size_t>(y) * size + x];
            std::uint32_t pixel = 0; // transparent: black and no alpha
            if (index < Palette.size()) {
                const COLORREF c = Palette[index];
                pixel = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            } else {
                mask_bits[static_cast<std::size_t>(y) * mask_row_bytes + x / 8] |=
                    static_cast<std::uint8_t>(0x80u >> (x % 8));
            }
            pixels[static_cast<std::size_t>(y) * size + x] = pixel;
        }
    }
    HBITMAP mask = CreateBitmap(size, size, 1, 1, mask_bits.data());
    ICONINFO icon{};
    icon.fIcon = TRUE;
    icon.hbmColor = colour;
    icon.hbmMask = mask;
    HICON made = mask != nullptr ? CreateIconIndirect(&icon) : nullptr;
    DeleteObject(colour);
    if (mask != nullptr) {
        DeleteObject(mask);
    }
    return made;
}

} // namespace orbek
