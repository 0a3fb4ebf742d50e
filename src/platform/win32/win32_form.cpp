#include "platform/win32/win32_form.h"

#include "automation/conversions.h"
#include "automation/vb_error.h"
#include "display_controls.h"
#include "platform/win32/automation/com_error.h"
#include "platform/win32/automation/com_variant.h"
#include "platform/win32/win32_icon.h"
#include "window_support.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace orbek {
namespace {

std::wstring wide(TextView text) {
    return std::wstring(text.begin(), text.end());
}

DWORD style_of(const FormDesign& design) {
    DWORD style = WS_CLIPCHILDREN;
    switch (design.border) {
    case BorderStyle::None:
        return style | WS_POPUP;
    case BorderStyle::FixedSingle:
        style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
        break;
    case BorderStyle::Sizable:
        style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        break;
    case BorderStyle::FixedDialog:
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
        break;
    }
    if (design.min_button) {
        style |= WS_MINIMIZEBOX;
    }
    if (design.max_button) {
        style |= WS_MAXIMIZEBOX;
    }
    return style;
}

DWORD extended_style_of(const FormDesign& design) {
    DWORD style = design.show_in_taskbar ? WS_EX_APPWINDOW : 0;
    if (design.border == BorderStyle::FixedDialog) {
        style |= WS_EX_DLGMODALFRAME;
    }
    return style;
}

// Where a window of `size` pixels starts when centred on `screen` pixels, half a pixel going
// to the even neighbour: the place the shadowed copy of the screen is taken from.
int centred(int screen, int size) {
    return double_to_long(screen / 2.0 - size / 2.0);
}

UINT alignment_of(TextAlignment alignment) {
    switch (alignment) {
    case TextAlignment::Centre:
        return DT_CENTER;
    case TextAlignment::Right:
        return DT_RIGHT;
    case TextAlignment::Left:
        break;
    }
    return DT_LEFT;
}

// A property put through the control's dispatch interface, its failure as the host sees it.
void put_property(IDispatch* control, DISPID member, const Variant& value) {
    com::OwnedVariant argument(value);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{argument.get(), &named, 1, 1};
    EXCEPINFO exception{};
    UINT argument_error = 0;
    const HRESULT result =
        control->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                        nullptr, &exception, &argument_error);
    if (result == DISP_E_EXCEPTION) {
        throw com::error_of_failed_invoke(result, exception);
    }
    if (FAILED(result)) {
        throw com::error_of_failure(result);
    }
}

// Whether a shown window lies above this one. Asking is much cheaper than moving the window
// to the top, which costs a round through the window system even when nothing changes.
bool covered(HWND window) {
    for (HWND above = GetWindow(window, GW_HWNDPREV); above != nullptr;
         above = GetWindow(above, GW_HWNDPREV)) {
        if (IsWindowVisible(above)) {
            return true;
        }
    }
    return false;
}

void put_property_named(IDispatch* control, TextView name, const Variant& value) {
    std::wstring text = wide(name);
    LPOLESTR names[] = {text.data()};
    DISPID member = DISPID_UNKNOWN;
    const HRESULT result = control->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member);
    if (FAILED(result)) {
        throw com::error_of_failure(result);
    }
    put_property(control, member, value);
}

} // namespace

Win32Form::Win32Form(HINSTANCE instance, const FormDesign& design)
    : instance_(instance), design_(design) {}

Win32Form::~Win32Form() {
    unload();
    if (owner_ != nullptr) {
        DestroyWindow(owner_);
    }
}

void Win32Form::unregister_window_class(HINSTANCE instance) {
    UnregisterClassW(WindowClass, instance);
}

void Win32Form::load() {
    if (window_ != nullptr) {
        return;
    }
    units_ = ScreenUnits::of_screen();
    create_window();
    try {
        create_parts();
    } catch (...) {
        unload();
        throw;
    }
}

void Win32Form::create_window() {
    controls::register_window_class(instance_, WindowClass, window_procedure,
                                    reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const DWORD style = style_of(design_);
    const DWORD extended = extended_style_of(design_);
    RECT frame{0, 0, units_.x_pixels(design_.client_width), units_.y_pixels(design_.client_height)};
    AdjustWindowRectEx(&frame, style, FALSE, extended);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    int x = 0;
    int y = 0;
    if (design_.position == StartPosition::CentreScreen) {
        x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    } else {
        // The client area at its designed place, the frame around it kept on the screen.
        x = std::max(0, units_.x_pixels(design_.client_left) + static_cast<int>(frame.left));
        y = std::max(0, units_.y_pixels(design_.client_top) + static_cast<int>(frame.top));
    }
    if (!design_.show_in_taskbar && owner_ == nullptr) {
        // An owned window has no taskbar button; the owner itself is never shown.
        owner_ = CreateWindowExW(0, WindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 instance_, nullptr);
    }
    caption_ = design_.caption;
    window_ = CreateWindowExW(extended, WindowClass, wide(caption_).c_str(), style, x, y, width,
                              height, owner_, nullptr, instance_, this);
    if (window_ == nullptr) {
        release_window_resources();
        throw VbError(vb::OutOfMemory);
    }
    for (const IconImage& image : design_.icons) {
        if (HICON icon = create_icon(image)) {
            icons_.push_back(icon);
        }
    }
    if (!icons_.empty()) {
        // The first image is the large icon, the last the small one (the same when alone).
        SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons_.front()));
        SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons_.back()));
    }
}

void Win32Form::create_parts() {
    for (const ControlDesign& control : design_.controls) {
        create_part(control);
    }
}

void Win32Form::create_part(const ControlDesign& control) {
    auto part = std::make_unique<FormPart>();
    part->name = control.name;
    part->kind = control.kind;
    if (control.kind == ControlKind::Timer) {
        parts_.push_back(std::move(part)); // no window: it ticks through the form's
        return;
    }
    HWND parent = window_;
    if (!control.parent.empty()) {
        part->parent = &part_named(control.parent, ControlKind::Frame);
        parent = part->parent->window;
    }
    const RECT place = units_.pixels(control.place.left, control.place.top, control.place.width,
                                     control.place.height);
    if (control.kind == ControlKind::External) {
        part->control = controls::create_display_control(wide(control.class_name).c_str(), parent,
                                                         place, instance_);
        if (part->control == nullptr) {
            throw VbError(vb::CannotCreateObject);
        }
        FormPart& made = *parts_.emplace_back(std::move(part));
        for (const StoredProperty& property : control.properties) {
            put_property_named(made.control, property.name, property.value);
        }
        return;
    }
    const FontDesign& font = control.font ? *control.font : design_.font;
    part->text = control.caption;
    part->font = font_for(font, control.font_fallback);
    part->colour = control.fore_colour ? static_cast<COLORREF>(*control.fore_colour)
                                       : GetSysColor(COLOR_BTNTEXT);
    part->alignment = alignment_of(control.alignment);
    part->edge_top = std::abs(units_.font_height(font.points)) / 2;
    if (control.back_colour) {
        part->back = static_cast<COLORREF>(*control.back_colour);
    }
    part->transparent = control.transparent;
    part->auto_size = control.auto_size;
    if (control.picture) {
        // A picture the module does not carry is simply not drawn.
        const HANDLE loaded =
            control.kind == ControlKind::CommandButton
                ? LoadImageW(instance_, MAKEINTRESOURCEW(*control.picture), IMAGE_ICON, 32, 32, 0)
                : LoadImageW(instance_, MAKEINTRESOURCEW(*control.picture), IMAGE_BITMAP, 0, 0,
                             LR_CREATEDIBSECTION);
        if (control.kind == ControlKind::CommandButton) {
            part->icon = static_cast<HICON>(loaded);
        } else {
            part->picture = static_cast<HBITMAP>(loaded);
        }
    }
    FormPart& made = *parts_.emplace_back(std::move(part));
    if (create_form_part_window(made, parent, place, control.border, instance_) == nullptr) {
        throw VbError(vb::OutOfMemory);
    }
    if (control.keeps_drawing) {
        renew_form_part_image(made);
    }
}

namespace {

int CALLBACK note_font_found(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool font_installed(TextView face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    const std::size_t length = std::min(face.size(), std::size(wanted.lfFaceName) - 1);
    std::copy_n(face.begin(), length, wanted.lfFaceName);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, note_font_found, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

} // namespace

HFONT Win32Form::font_for(const FontDesign& font, TextView fallback) {
    for (const auto& [design, made] : fonts_) {
        if (design == font) {
            return made;
        }
    }
    const TextView face = !fallback.empty() && !font_installed(font.name) ? fallback : font.name;
    HFONT made = CreateFontW(units_.font_height(font.points), 0, 0, 0, font.weight,
                             font.italic ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, wide(face).c_str());
    fonts_.emplace_back(font, made);
    return made;
}

FormPart& Win32Form::part_named(std::string_view control, ControlKind kind) {
    for (const std::unique_ptr<FormPart>& part : parts_) {
        if (part->name != control) {
            continue;
        }
        // Frames and picture boxes both hold other controls.
        const bool container_asked = kind == ControlKind::Frame || kind == ControlKind::PictureBox;
        const bool is_container =
            part->kind == ControlKind::Frame || part->kind == ControlKind::PictureBox;
        if (part->kind == kind || (container_asked && is_container)) {
            return *part;
        }
        break;
    }
    throw VbError(vb::MemberNotFound);
}

FormPart& Win32Form::windowed_part(std::string_view control) {
    for (const std::unique_ptr<FormPart>& part : parts_) {
        if (part->name == control && part->window != nullptr) {
            return *part;
        }
    }
    throw VbError(vb::MemberNotFound);
}

FormPart& Win32Form::drawing_picture(std::string_view control) {
    FormPart& part = part_named(control, ControlKind::PictureBox);
    if (!part.image) {
        throw VbError(vb::MemberNotFound);
    }
    return part;
}

void Win32Form::unload() {
    if (window_ != nullptr) {
        DestroyWindow(window_); // its last message releases the rest
    }
    release_window_resources();
}

void Win32Form::release_window_resources() {
    // Normally the windows are gone by now; if they could not be destroyed (from another
    // thread), they must no longer reach what is freed here.
    if (window_ != nullptr && IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    }
    for (const std::unique_ptr<FormPart>& part : parts_) {
        if (part->window != nullptr && IsWindow(part->window)) {
            SetWindowLongPtrW(part->window, GWLP_USERDATA, 0);
        }
        if (part->control != nullptr) {
            part->control->Release();
        }
    }
    parts_.clear();
    for (const auto& [design, font] : fonts_) {
        DeleteObject(font);
    }
    fonts_.clear();
    for (HICON icon : icons_) {
        DestroyIcon(icon);
    }
    icons_.clear();
    window_ = nullptr;
    shown_once_ = false;
}

template <typename Handler> void Win32Form::raise(Handler handler) {
    if (events_ == nullptr) {
        return;
    }
    // The window system called this, not the host's code: an error ends the handler here.
    try {
        handler(*events_);
    } catch (...) {
    }
}

void Win32Form::click(FormPart& button) {
    const std::string name = button.name; // the handler may unload the form and its parts
    raise([&name](FormEvents& events) { events.clicked(name); });
}

bool Win32Form::on_key(WPARAM key) {
    if (key != VK_RETURN) {
        return false;
    }
    for (const std::unique_ptr<FormPart>& part : parts_) {
        if (part->kind == ControlKind::CommandButton && part->is_default) {
            click(*part);
            return true;
        }
    }
    return false;
}

bool Win32Form::on_access_key(wchar_t letter) {
    const char16_t wanted = to_upper(Text(1, static_cast<char16_t>(letter)))[0];
    for (const std::unique_ptr<FormPart>& part : parts_) {
        if (part->kind == ControlKind::CommandButton && access_key_of(part->text) == wanted) {
            click(*part);
            return true;
        }
    }
    return false;
}

LRESULT CALLBACK Win32Form::window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* form = controls::object_of_window<Win32Form>(window, message, l);
    switch (message) {
    case WM_CLOSE:
        // The close box unloads the form; the next operation loads it again.
        DestroyWindow(window);
        return 0;
    case WM_NCDESTROY:
        if (form != nullptr && form->window_ == window) {
            form->release_window_resources();
        }
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    case WM_TIMER:
        if (form != nullptr) {
            for (const std::unique_ptr<FormPart>& part : form->parts_) {
                if (reinterpret_cast<WPARAM>(part.get()) == w) {
                    const std::string name = part->name;
                    form->raise([&name](FormEvents& events) { events.timer_ticked(name); });
                    break;
                }
            }
            return 0;
        }
        break;
    case FormPartClicked:
        if (form != nullptr) {
            form->click(*reinterpret_cast<FormPart*>(l));
        }
        return 0;
    case WM_KEYDOWN:
        if (form != nullptr && form->on_key(w)) {
            return 0;
        }
        break;
    case WM_SYSCHAR:
        if (form != nullptr && form->on_access_key(static_cast<wchar_t>(w))) {
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, w, l);
}

bool Win32Form::visible() {
    load();
    return IsWindowVisible(window_) != FALSE;
}

void Win32Form::show_modeless() {
    load();
    const UINT activation = design_.activate_when_shown ? 0 : SWP_NOACTIVATE;
    if (IsWindowVisible(window_)) {
        // Already shown: only brought above the host's windows, nothing is repainted.
        if (covered(window_)) {
            SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | activation);
        }
        return;
    }
    if (design_.position == StartPosition::CentreScreenWhenShown && !shown_once_) {
        RECT frame{};
        GetWindowRect(window_, &frame);
        move_window(centred(GetSystemMetrics(SM_CXSCREEN), frame.right - frame.left),
                    centred(GetSystemMetrics(SM_CYSCREEN), frame.bottom - frame.top));
    }
    shown_once_ = true;
    // Unless the design says otherwise, shown without taking the keyboard from the host's
    // window.
    ShowWindow(window_, design_.activate_when_shown ? SW_SHOW : SW_SHOWNOACTIVATE);
}

void Win32Form::hide() {
    load();
    if (IsWindowVisible(window_)) {
        ShowWindow(window_, SW_HIDE);
    }
}

void Win32Form::make_topmost() {
    load();
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void Win32Form::move_window(std::optional<int> x, std::optional<int> y) {
    RECT frame{};
    GetWindowRect(window_, &frame);
    SetWindowPos(window_, nullptr, x.value_or(frame.left), y.value_or(frame.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

std::int32_t Win32Form::left_twips() {
    load();
    RECT frame{};
    GetWindowRect(window_, &frame);
    return units_.x_twips(frame.left);
}

std::int32_t Win32Form::top_twips() {
    load();
    RECT frame{};
    GetWindowRect(window_, &frame);
    return units_.y_twips(frame.top);
}

void Win32Form::set_left_twips(std::int32_t left) {
    load();
    move_window(units_.x_pixels(left), std::nullopt);
}

void Win32Form::set_top_twips(std::int32_t top) {
    load();
    move_window(std::nullopt, units_.y_pixels(top));
}

void Win32Form::set_width_twips(std::int32_t width) {
    load();
    RECT frame{};
    GetWindowRect(window_, &frame);
    SetWindowPos(window_, nullptr, 0, 0, std::max(0, units_.x_pixels(width)),
                 frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void Win32Form::set_height_twips(std::int32_t height) {
    load();
    const int pixels = std::max(0, units_.y_pixels(height));
    RECT frame{};
    GetWindowRect(window_, &frame);
    if (frame.bottom - frame.top == pixels) {
        return; // the same height is not set again
    }
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, pixels,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

std::int32_t Win32Form::inner_width_pixels() {
    load();
    RECT client{};
    GetClientRect(window_, &client);
    return client.right;
}

std::int32_t Win32Form::inner_height_pixels() {
    load();
    RECT client{};
    GetClientRect(window_, &client);
    return client.bottom;
}

void Win32Form::set_caption(TextView caption) {
    load();
    if (caption_ == caption) {
        return;
    }
    caption_ = Text(caption);
    SetWindowTextW(window_, wide(caption_).c_str());
}

void Win32Form::set_control_text(std::string_view control, TextView text) {
    load();
    set_form_part_text(part_named(control, ControlKind::Label), text);
}

void Win32Form::put_control_property(std::string_view control, std::int32_t member,
                                     const Variant& value) {
    load();
    put_property(part_named(control, ControlKind::External).control, member, value);
}

PixelRect Win32Form::control_rect_pixels(std::string_view control) {
    load();
    HWND part = windowed_part(control).window;
    RECT place{};
    GetWindowRect(part, &place);
    MapWindowPoints(nullptr, GetParent(part), reinterpret_cast<POINT*>(&place), 2);
    return {place.left, place.top, place.right - place.left, place.bottom - place.top};
}

void Win32Form::move_control_pixels(std::string_view control, const PixelRect& place) {
    load();
    FormPart& part = windowed_part(control);
    const PixelRect before = control_rect_pixels(control);
    SetWindowPos(part.window, nullptr, place.left, place.top, std::max(0, place.width),
                 std::max(0, place.height), SWP_NOZORDER | SWP_NOACTIVATE);
    if (part.image && (before.width != place.width || before.height != place.height)) {
        renew_form_part_image(part); // a new size starts a new, blank image
    }
}

void Win32Form::refresh_control(std::string_view control) {
    load();
    HWND part = windowed_part(control).window;
    InvalidateRect(part, nullptr, FALSE);
    UpdateWindow(part);
}

PixelBuffer Win32Form::picture_pixels(std::string_view control) {
    load();
    return drawing_picture(control).image->pixels();
}

void Win32Form::copy_screen_to_picture(std::string_view control, std::int32_t x, std::int32_t y) {
    load();
    drawing_picture(control).image->copy_from_screen(x, y);
}

void Win32Form::set_default_button(std::string_view button) {
    load();
    FormPart& chosen = part_named(button, ControlKind::CommandButton);
    for (const std::unique_ptr<FormPart>& part : parts_) {
        if (part->kind == ControlKind::CommandButton &&
            part->is_default != (part.get() == &chosen)) {
            part->is_default = part.get() == &chosen;
            InvalidateRect(part->window, nullptr, FALSE);
        }
    }
}

void Win32Form::restart_timer(const FormPart& timer) {
    // The part's address names the timer: unique among the window's timers.
    const auto id = reinterpret_cast<UINT_PTR>(&timer);
    if (timer.enabled && timer.interval > 0) {
        SetTimer(window_, id, static_cast<UINT>(timer.interval), nullptr);
    } else {
        KillTimer(window_, id);
    }
}

void Win32Form::set_timer_enabled(std::string_view timer, bool enabled) {
    load();
    FormPart& part = part_named(timer, ControlKind::Timer);
    part.enabled = enabled;
    restart_timer(part);
}

void Win32Form::set_timer_interval(std::string_view timer, std::int32_t interval) {
    load();
    FormPart& part = part_named(timer, ControlKind::Timer);
    part.interval = interval;
    restart_timer(part);
}

std::int32_t Win32Form::window_handle() {
    load();
    // Window handles hold 32 significant bits on every Windows, 64-bit included.
    return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(window_));
}

} // namespace orbek
