#include "screenshot.h"

#include "platform/win32/screen_copy.h"

#include <cstdio>
#include <vector>
#include <windows.h>

namespace wine_checks {

bool save_screenshot(const std::wstring& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    orbek::ScreenCopy copy(width, height);
    copy.copy_from_screen(0, 0);
    const orbek::PixelBuffer pixels = copy.pixels();
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> body(static_cast<std::size_t>(stride) * height);
    for (int y = 0; y < height; ++y) {
        // Rows bottom-up, as a BMP holds them.
        unsigned char* row = &body[static_cast<std::size_t>(height - 1 - y) * stride];
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = pixels.pixels[static_cast<std::size_t>(y) * width + x];
            row[3 * x] = static_cast<unsigned char>(pixel & 0xFF);
            row[3 * x + 1] = static_cast<unsigned char>((pixel >> 8) & 0xFF);
            row[3 * x + 2] = static_cast<unsigned char>((pixel >> 16) & 0xFF);
        }
    }
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(body.size());
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(body.size());
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr)
        return false;
    const bool written = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                         std::fwrite(&info, sizeof(info), 1, out) == 1 &&
                         std::fwrite(body.data(), 1, body.size(), out) == body.size();
    return std::fclose(out) == 0 && written;
}

} // namespace wine_checks
