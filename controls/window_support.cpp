#include "window_support.h"

namespace orbek::controls {

void register_window_class(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                           HBRUSH background) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, name, &existing)) {
        return;
    }
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    window_class.hbrBackground = background;
    window_class.lpszClassName = name;
    RegisterClassExW(&window_class);
}

OffscreenPaint::OffscreenPaint(HWND window) : window_(window) {
    screen_ = BeginPaint(window_, &paint_);
    GetClientRect(window_, &client_);
    buffer_ = CreateCompatibleDC(screen_);
    bitmap_ = CreateCompatibleBitmap(screen_, client_.right, client_.bottom);
    if (buffer_ != nullptr && bitmap_ != nullptr) {
        previous_ = SelectObject(buffer_, bitmap_);
    } else if (buffer_ != nullptr) {
        DeleteDC(buffer_);
        buffer_ = nullptr;
    }
}

OffscreenPaint::~OffscreenPaint() {
    if (buffer_ != nullptr) {
        BitBlt(screen_, 0, 0, client_.right, client_.bottom, buffer_, 0, 0, SRCCOPY);
        SelectObject(buffer_, previous_);
        DeleteDC(buffer_);
    }
    if (bitmap_ != nullptr) {
        DeleteObject(bitmap_);
    }
    EndPaint(window_, &paint_);
}

} // namespace orbek::controls
