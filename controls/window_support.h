// What every window of the controls and of the component's forms needs: a window class
// registered once, the C++ object behind a window, and painting without flicker.
#pragma once

#include <windows.h>

namespace orbek::controls {

// Registers the class under `instance` unless it is there already (a class another thread has
// just made is as good). A null background leaves every pixel to the painting.
void register_window_class(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                           HBRUSH background = nullptr);

// The object a window was created for (its creation parameter), kept in its user data from
// WM_NCCREATE on; null before that, and after the window's object has let go of it.
template <typename Object> Object* object_of_window(HWND window, UINT message, LPARAM l) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(l);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The off-screen bitmap that a window paints into between BeginPaint and EndPaint; the
// screen only ever sees the finished picture. Its device is null when no bitmap was had.
class OffscreenPaint {
  public:
    explicit OffscreenPaint(HWND window);
    ~OffscreenPaint();
    OffscreenPaint(const OffscreenPaint&) = delete;
    OffscreenPaint& operator=(const OffscreenPaint&) = delete;

    HDC device() const { return buffer_; }
    const RECT& client() const { return client_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC screen_ = nullptr;
    HDC buffer_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    RECT client_{};
};

template <typename Painter> void paint_without_flicker(HWND window, Painter&& paint) {
    OffscreenPaint offscreen(window);
    if (offscreen.device() != nullptr) {
        paint(offscreen.device(), offscreen.client());
    }
}

} // namespace orbek::controls
