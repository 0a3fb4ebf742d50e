#include "platform/win32/win32_form_parts.h"

#include "window_support.h"

namespace orbek {
namespace {

constexpr wchar_t FormPartClass[] = L"OrbekFormPart";

void paint_part(const FormPart& part, HDC device, const RECT& client) {
    FillRect(device, &client, GetSysColorBrush(COLOR_BTNFACE));
    switch (part.kind) {
    case ControlKind::Label: {
        HGDIOBJ previous = SelectObject(device, part.font);
        SetBkMode(device, TRANSPARENT);
        SetTextColor(device, part.colour);
        const std::wstring text(part.text.begin(), part.text.end());
        RECT box = client;
        // Shown exactly as given: an ampersand is a character, not an access key.
        DrawTextW(device, text.c_str(), static_cast<int>(text.size()), &box,
                  part.alignment | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(device, previous);
        break;
    }
    case ControlKind::Frame: {
        RECT edge = client;
        edge.top = part.edge_top;
        DrawEdge(device, &edge, EDGE_ETCHED, BF_RECT);
        break;
    }
    default:
        break;
    }
}

LRESULT CALLBACK part_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    const auto* part = controls::object_of_window<const FormPart>(window, message, l);
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
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, w, l);
}

} // namespace

HWND create_form_part_window(FormPart& part, HWND parent, const RECT& place, bool border,
                             HINSTANCE instance) {
    controls::register_window_class(instance, FormPartClass, part_procedure);
    // Containers clip their children, so that painting the one never paints over the other.
    // A label's text is also its window text, for screen readers and test hosts.
    const std::wstring text(part.text.begin(), part.text.end());
    part.window = CreateWindowExW(border ? WS_EX_CLIENTEDGE : 0, FormPartClass, text.c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                  place.left, place.top, place.right - place.left,
                                  place.bottom - place.top, parent, nullptr, instance, &part);
    return part.window;
}

void set_form_part_text(FormPart& part, TextView text) {
    if (part.text == text) {
        return;
    }
    part.text = Text(text);
    if (part.window != nullptr) {
        const std::wstring wide(part.text.begin(), part.text.end());
        SetWindowTextW(part.window, wide.c_str());
        InvalidateRect(part.window, nullptr, FALSE);
    }
}

void unregister_form_part_class(HINSTANCE instance) {
    UnregisterClassW(FormPartClass, instance);
}

} // namespace orbek
