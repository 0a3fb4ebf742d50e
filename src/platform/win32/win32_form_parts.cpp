#include "platform/win32/win32_form_parts.h"

#include "window_support.h"

#include <algorithm>
#include <windowsx.h>

namespace orbek {
namespace {

constexpr wchar_t FormPartClass[] = L"OrbekFormPart";
constexpr int IconSize = 32;

std::wstring wide(TextView text) {
    return std::wstring(text.begin(), text.end());
}

void fill(HDC device, const RECT& area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(device, &area, brush);
    DeleteObject(brush);
}

// What a picture box shows, drawn with its own top-left corner at `origin` of the device:
// its back colour, then its kept image or its picture.
void paint_surface(const FormPart& part, HDC device, const RECT& client, POINT origin) {
    fill(device, client, part.back.value_or(GetSysColor(COLOR_BTNFACE)));
    HDC source = nullptr;
    HGDIOBJ previous = nullptr;
    int width = 0;
    int height = 0;
    if (part.image) {
        source = part.image->device();
        width = part.image->width();
        height = part.image->height();
    } else if (part.picture != nullptr) {
        BITMAP size{};
        GetObjectW(part.picture, sizeof size, &size);
        source = CreateCompatibleDC(device);
        previous = SelectObject(source, part.picture);
        width = size.bmWidth;
        height = size.bmHeight;
    }
    if (source != nullptr) {
        BitBlt(device, origin.x, origin.y, width, height, source, 0, 0, SRCCOPY);
    }
    if (previous != nullptr) {
        SelectObject(source, previous);
        DeleteDC(source);
    }
}

void paint_label(const FormPart& part, HDC device, const RECT& client) {
    if (part.transparent && part.parent != nullptr) {
        // What the parent shows beneath the label, the parent's corner put where it lies.
        POINT origin{0, 0};
        MapWindowPoints(part.window, part.parent->window, &origin, 1);
        paint_surface(*part.parent, device, client, {-origin.x, -origin.y});
    } else {
        fill(device, client, part.back.value_or(GetSysColor(COLOR_BTNFACE)));
    }
    HGDIOBJ previous = SelectObject(device, part.font);
    SetBkMode(device, TRANSPARENT);
    SetTextColor(device, part.colour);
    const std::wstring text = wide(part.text);
    RECT box = client;
    // Shown exactly as given: an ampersand is a character, not an access key.
    const UINT lines = part.auto_size ? DT_SINGLELINE : DT_WORDBREAK;
    DrawTextW(device, text.c_str(), static_cast<int>(text.size()), &box,
              part.alignment | lines | DT_NOPREFIX);
    SelectObject(device, previous);
}

// A push button with its icon above its caption; the access key is underlined. The default
// button has a dark frame round it.
void paint_button(const FormPart& part, HDC device, const RECT& client) {
    fill(device, client, GetSysColor(COLOR_BTNFACE));
    RECT face = client;
    if (part.is_default) {
        FrameRect(device, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&face, -1, -1);
    }
    DrawFrameControl(device, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (part.pressed ? DFCS_PUSHED : 0));
    const int shift = part.pressed ? 1 : 0;
    const int icon_top = face.top + 5 + shift;
    if (part.icon != nullptr) {
        DrawIconEx(device, (client.right - IconSize) / 2 + shift, icon_top, part.icon, IconSize,
                   IconSize, 0, nullptr, DI_NORMAL);
    }
    HGDIOBJ previous = SelectObject(device, part.font);
    SetBkMode(device, TRANSPARENT);
    SetTextColor(device, GetSysColor(COLOR_BTNTEXT));
    const std::wstring text = wide(part.text);
    RECT line{face.left + shift, icon_top + IconSize, face.right + shift, face.bottom + shift};
    DrawTextW(device, text.c_str(), static_cast<int>(text.size()), &line,
              DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    SelectObject(device, previous);
}

void paint_part(const FormPart& part, HDC device, const RECT& client) {
    switch (part.kind) {
    case ControlKind::Label:
        paint_label(part, device, client);
        break;
    case ControlKind::Frame: {
        fill(device, client, GetSysColor(COLOR_BTNFACE));
        RECT edge = client;
        edge.top = part.edge_top;
        DrawEdge(device, &edge, EDGE_ETCHED, BF_RECT);
        break;
    }
    case ControlKind::PictureBox:
        paint_surface(part, device, client, {0, 0});
        break;
    case ControlKind::CommandButton:
        paint_button(part, device, client);
        break;
    default:
        fill(device, client, GetSysColor(COLOR_BTNFACE));
        break;
    }
}

bool inside(HWND window, LPARAM position) {
    RECT client{};
    GetClientRect(window, &client);
    const POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    return PtInRect(&client, point) != FALSE;
}

void set_pressed(FormPart& part, bool pressed) {
    if (part.pressed != pressed) {
        part.pressed = pressed;
        InvalidateRect(part.window, nullptr, FALSE);
    }
}

// The mouse on a button: pressed while held inside it, clicked when let go inside it.
LRESULT button_mouse(FormPart& part, UINT message, LPARAM position) {
    HWND window = part.window;
    switch (message) {
    case WM_LBUTTONDOWN:
        SetCapture(window);
        set_pressed(part, true);
        break;
    case WM_MOUSEMOVE:
        if (GetCapture() == window) {
            set_pressed(part, inside(window, position));
        }
        break;
    case WM_LBUTTONUP:
        if (GetCapture() == window) {
            const bool clicked = part.pressed;
            ReleaseCapture(); // which lets the button up
            if (clicked) {
                // The last thing done here: the click may unload the form, and the part with it.
                SendMessageW(GetAncestor(window, GA_ROOT), FormPartClicked, 0,
                             reinterpret_cast<LPARAM>(&part));
            }
        }
        break;
    case WM_CAPTURECHANGED:
        set_pressed(part, false);
        break;
    default:
        break;
    }
    return 0;
}

// A label sized to its text keeps its left edge and takes the text's width (and half a
// character more for the slant of italic letters) and height.
void fit_to_text(FormPart& part) {
    if (!part.auto_size || part.window == nullptr) {
        return;
    }
    HDC device = GetDC(part.window);
    HGDIOBJ previous = SelectObject(device, part.font);
    const std::wstring text = wide(part.text);
    SIZE extent{};
    GetTextExtentPoint32W(device, text.c_str(), static_cast<int>(text.size()), &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(device, &metrics);
    SelectObject(device, previous);
    ReleaseDC(part.window, device);
    SetWindowPos(part.window, nullptr, 0, 0, extent.cx + metrics.tmAveCharWidth / 2,
                 metrics.tmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(part.window, nullptr, FALSE);
}

LRESULT CALLBACK part_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* part = controls::object_of_window<FormPart>(window, message, l);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        if (part != nullptr) {
            controls::paint_without_flicker(window, [part](HDC device, const RECT& client) {
                paint_part(*part, device, client);
            });
            return 0;
        }
        break;
    case WM_GETFONT:
        return part != nullptr ? reinterpret_cast<LRESULT>(part->font) : 0;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (part != nullptr && part->kind == ControlKind::CommandButton) {
            return button_mouse(*part, message, l);
        }
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, w, l);
}

} // namespace

FormPart::~FormPart() {
    if (picture != nullptr) {
        DeleteObject(picture);
    }
    if (icon != nullptr) {
        DestroyIcon(icon);
    }
}

HWND create_form_part_window(FormPart& part, HWND parent, const RECT& place, bool border,
                             HINSTANCE instance) {
    controls::register_window_class(instance, FormPartClass, part_procedure);
    // Containers clip their children, so that painting the one never paints over the other.
    // A label's or a button's text is also its window text, for screen readers and test hosts.
    part.window = CreateWindowExW(
        border ? WS_EX_CLIENTEDGE : 0, FormPartClass, wide(part.text).c_str(),
        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, place.left, place.top,
        place.right - place.left, place.bottom - place.top, parent, nullptr, instance, &part);
    fit_to_text(part);
    return part.window;
}

void set_form_part_text(FormPart& part, TextView text) {
    if (part.text == text) {
        return;
    }
    part.text = Text(text);
    if (part.window != nullptr) {
        SetWindowTextW(part.window, wide(part.text).c_str());
        InvalidateRect(part.window, nullptr, FALSE);
        fit_to_text(part);
    }
}

void renew_form_part_image(FormPart& part) {
    RECT client{};
    GetClientRect(part.window, &client);
    part.image =
        std::make_unique<ScreenCopy>(std::max(1L, client.right), std::max(1L, client.bottom));
    fill(part.image->device(), client, part.back.value_or(GetSysColor(COLOR_BTNFACE)));
}

void unregister_form_part_class(HINSTANCE instance) {
    UnregisterClassW(FormPartClass, instance);
}

} // namespace orbek
