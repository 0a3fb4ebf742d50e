// The component's message box as a user sees it: `message_box_watcher.exe --hold FILE` waits
// for the dialog "ERROR en la Fecha", prints "title"/"text" (its UTF-8 bytes in hex),
// "buttons" (the push buttons' ids), "icon information" or "icon other", and "shown"; once FILE
// exists (a picture was taken) it presses OK and prints "closed" when the dialog is gone.
// Exits 1 when no dialog came or it would not close.
#include "host_checks.h"

#include <cstdio>

using namespace wine_checks;

namespace {

constexpr DWORD TimeoutMilliseconds = 20000;
constexpr DWORD PollMilliseconds = 50;
constexpr int MessageTextId = 0xFFFF; // the static control that shows a message box's text

std::string hex_of_utf8(const std::wstring& text) {
    std::string hex;
    char pair[3];
    for (const char byte : utf8(text)) {
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(byte));
        hex += pair;
    }
    return hex;
}

// Whether the icon the dialog shows looks like the system's information icon: its pixels on
// the screen against that icon drawn on the same background (icon handles are not shared
// between processes).
bool shows_information_icon(HWND icon) {
    RECT place;
    GetWindowRect(icon, &place);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    HDC screen = GetDC(nullptr);
    HDC shown = CreateCompatibleDC(screen);
    HDC drawn = CreateCompatibleDC(screen);
    HBITMAP shown_bitmap = CreateCompatibleBitmap(screen, width, height);
    HBITMAP drawn_bitmap = CreateCompatibleBitmap(screen, width, height);
    SelectObject(shown, shown_bitmap);
    SelectObject(drawn, drawn_bitmap);
    BitBlt(shown, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
    HBRUSH background = CreateSolidBrush(GetPixel(shown, 0, 0));
    RECT all{0, 0, width, height};
    FillRect(drawn, &all, background);
    HICON information = LoadIconW(nullptr, MAKEINTRESOURCEW(32516)); // IDI_INFORMATION
    DrawIconEx(drawn, 0, 0, information, 0, 0, 0, nullptr, DI_NORMAL);
    int differences = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            differences += GetPixel(shown, x, y) != GetPixel(drawn, x, y);
        }
    }
    DeleteObject(background);
    DeleteDC(shown);
    DeleteDC(drawn);
    DeleteObject(shown_bitmap);
    DeleteObject(drawn_bitmap);
    ReleaseDC(nullptr, screen);
    return width > 0 && differences <= width * height / 50; // 2% of the pixels may differ
}

// Prints the ids of the push buttons and whether the icon is the information one.
void print_buttons_and_icon(HWND dialog) {
    bool information = false;
    std::printf("buttons");
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t kind[16] = {};
        GetClassNameW(child, kind, 16);
        if (lstrcmpiW(kind, L"Button") == 0) {
            std::printf(" %d", GetDlgCtrlID(child));
        } else if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            information = shows_information_icon(child);
        }
    }
    std::printf("\nicon %s\n", information ? "information" : "other");
}

// Polls until `done` holds or the time is up.
template <typename Condition> bool wait_for(Condition done) {
    for (DWORD waited = 0; waited < TimeoutMilliseconds; waited += PollMilliseconds) {
        if (done()) {
            return true;
        }
        Sleep(PollMilliseconds);
    }
    return false;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring hold = argc == 3 ? argv[2] : L"";
    HWND dialog = nullptr;
    if (!wait_for([&] {
            dialog = FindWindowW(L"#32770", L"ERROR en la Fecha");
            return dialog != nullptr && IsWindowVisible(dialog);
        })) {
        std::printf("no dialog titled \"ERROR en la Fecha\"\n");
        return 1;
    }
    Sleep(300); // let it finish painting, for the picture
    std::printf("title %s\n", hex_of_utf8(text_of(dialog)).c_str());
    std::printf("text %s\n", hex_of_utf8(text_of(GetDlgItem(dialog, MessageTextId))).c_str());
    print_buttons_and_icon(dialog);
    std::printf("shown\n");
    std::fflush(stdout);
    wait_for([&] { return GetFileAttributesW(hold.c_str()) != INVALID_FILE_ATTRIBUTES; });
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    if (!wait_for([&] { return !IsWindow(dialog); })) {
        std::printf("the dialog did not close\n");
        return 1;
    }
    std::printf("closed\n");
    return 0;
}
