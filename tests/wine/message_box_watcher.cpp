// Watches the screen for the component's message box, as a user would see it, and closes it.
//   message_box_watcher.exe [--hold FILE] [--timeout MS]
// Waits for a dialog titled "ERROR en la Fecha", then prints
//   title <UTF-8 bytes of its title, in hex>
//   text <UTF-8 bytes of its message, in hex>
//   buttons <the dialog's push buttons, by their ids>
//   icon <which of the system's message icons it shows: information, warning, error,
//         question, other or none>
//   shown
// With --hold it then waits until FILE exists (so that a picture of the screen can be taken),
// presses OK and prints "closed" once the dialog is gone. Exits 1 when no dialog came or it
// would not close in time.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

namespace {

constexpr wchar_t DialogClass[] = L"#32770";
constexpr wchar_t Title[] = L"ERROR en la Fecha";
constexpr int MessageTextId = 0xFFFF; // the static control that shows a message box's text
constexpr int PollMilliseconds = 50;

std::string hex_of_utf8(const std::wstring& text) {
    std::string bytes(text.size() * 4 + 1, '\0');
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr);
    std::string hex;
    char pair[3];
    for (int i = 0; i < size; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(bytes[i]));
        hex += pair;
    }
    return hex;
}

// The window's text asked of the window itself, which works across processes.
std::wstring text_of(HWND window) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    text.resize(copied);
    return text;
}

BOOL CALLBACK collect_buttons(HWND child, LPARAM found) {
    wchar_t class_name[32] = {};
    GetClassNameW(child, class_name, 32);
    if (lstrcmpiW(class_name, L"Button") == 0) {
        reinterpret_cast<std::vector<int>*>(found)->push_back(GetDlgCtrlID(child));
    }
    return TRUE;
}

// The pixels of a rectangle of the screen, or of an icon drawn on a plain background.
class Pixels {
  public:
    Pixels(int width, int height) : width_(width), height_(height) {
        screen_ = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen_);
        bitmap_ = CreateCompatibleBitmap(screen_, width, height);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Pixels() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
        ReleaseDC(nullptr, screen_);
    }
    Pixels(const Pixels&) = delete;
    Pixels& operator=(const Pixels&) = delete;

    void copy_screen(int left, int top) {
        BitBlt(dc_, 0, 0, width_, height_, screen_, left, top, SRCCOPY);
    }
    void draw_icon(HICON icon, COLORREF background) {
        HBRUSH brush = CreateSolidBrush(background);
        RECT all{0, 0, width_, height_};
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
        DrawIconEx(dc_, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }
    int differences(const Pixels& other) const {
        int count = 0;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                count += at(x, y) != other.at(x, y);
            }
        }
        return count;
    }

  private:
    int width_;
    int height_;
    HDC screen_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

// Which of the system's message icons the dialog shows, told by its pixels on the screen:
// icon handles are not shared between processes everywhere.
const char* shown_icon(HWND dialog) {
    HWND icon_control = nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            icon_control = child;
        }
    }
    if (icon_control == nullptr) {
        return "none";
    }
    RECT place;
    GetWindowRect(icon_control, &place);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    Pixels shown(width, height);
    shown.copy_screen(place.left, place.top);
    const std::pair<const char*, int> candidates[] = {
        {"information", 32516}, {"warning", 32515}, {"error", 32513}, {"question", 32514}};
    const char* best = "other";
    int fewest = width * height / 50; // closer than 2% of the pixels, or no match at all
    for (const auto& [name, id] : candidates) {
        Pixels drawn(width, height);
        drawn.draw_icon(LoadIconW(nullptr, MAKEINTRESOURCEW(id)), shown.at(0, 0));
        const int differences = shown.differences(drawn);
        if (differences <= fewest) {
            fewest = differences;
            best = name;
        }
    }
    return best;
}

HWND wait_for_dialog(DWORD timeout) {
    for (DWORD waited = 0; waited < timeout; waited += PollMilliseconds) {
        HWND dialog = FindWindowW(DialogClass, Title);
        if (dialog != nullptr && IsWindowVisible(dialog)) {
            return dialog;
        }
        Sleep(PollMilliseconds);
    }
    return nullptr;
}

bool wait_for_file(const std::wstring& path, DWORD timeout) {
    for (DWORD waited = 0; waited < timeout; waited += PollMilliseconds) {
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            return true;
        }
        Sleep(PollMilliseconds);
    }
    return false;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring hold;
    DWORD timeout = 20000;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::wstring(argv[i]) == L"--hold") {
            hold = argv[i + 1];
        } else if (std::wstring(argv[i]) == L"--timeout") {
            timeout = static_cast<DWORD>(_wtoi(argv[i + 1]));
        }
    }
    HWND dialog = wait_for_dialog(timeout);
    if (dialog == nullptr) {
        std::printf("no dialog titled \"ERROR en la Fecha\" within %lu ms\n",
                    static_cast<unsigned long>(timeout));
        return 1;
    }
    Sleep(300); // let it finish painting, for the picture
    std::vector<int> buttons;
    EnumChildWindows(dialog, collect_buttons, reinterpret_cast<LPARAM>(&buttons));
    std::printf("title %s\n", hex_of_utf8(text_of(dialog)).c_str());
    std::printf("text %s\n", hex_of_utf8(text_of(GetDlgItem(dialog, MessageTextId))).c_str());
    std::printf("buttons");
    for (int id : buttons) {
        std::printf(" %d", id);
    }
    std::printf("\nicon %s\n", shown_icon(dialog));
    std::printf("shown\n");
    std::fflush(stdout);
    if (!hold.empty() && !wait_for_file(hold, timeout)) {
        std::printf("nobody released the hold\n");
    }
    HWND ok = GetDlgItem(dialog, IDOK);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    for (DWORD waited = 0; waited < timeout; waited += PollMilliseconds) {
        if (!IsWindow(dialog)) {
            std::printf("closed\n");
            return 0;
        }
        Sleep(PollMilliseconds);
    }
    std::printf("the dialog did not close\n");
    return 1;
}
