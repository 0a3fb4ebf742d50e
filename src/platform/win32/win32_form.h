// One form of the component as a top-level window of the calling thread, built from its
// design on every load.
#pragma once

#include "platform/win32/win32_form_parts.h"
#include "platform/win32/win32_screen_units.h"
#include "platform/window_toolkit.h"

#include <memory>
#include <optional>
#include <vector>
#include <windows.h>

namespace orbek {

class Win32Form final : public Form {
  public:
    static constexpr wchar_t WindowClass[] = L"OrbekForm";

    Win32Form(HINSTANCE instance, const FormDesign& design);
    ~Win32Form() override;
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    void load() override;
    void unload() override;
    bool is_loaded() const override { return window_ != nullptr; }
    void set_events(FormEvents* events) override { events_ = events; }
    bool visible() override;
    void show_modeless() override;
    void hide() override;
    void make_topmost() override;
    std::int32_t left_twips() override;
    std::int32_t top_twips() override;
    void set_left_twips(std::int32_t left) override;
    void set_top_twips(std::int32_t top) override;
    void set_width_twips(std::int32_t width) override;
    void set_height_twips(std::int32_t height) override;
    std::int32_t inner_width_pixels() override;
    std::int32_t inner_height_pixels() override;
    void set_caption(TextView caption) override;
    void set_control_text(std::string_view control, TextView text) override;
    void put_control_property(std::string_view control, std::int32_t member,
                              const Variant& value) override;
    PixelRect control_rect_pixels(std::string_view control) override;
    void move_control_pixels(std::string_view control, const PixelRect& place) override;
    void refresh_control(std::string_view control) override;
    PixelBuffer picture_pixels(std::string_view control) override;
    void copy_screen_to_picture(std::string_view control, std::int32_t x, std::int32_t y) override;
    void set_default_button(std::string_view button) override;
    void set_timer_enabled(std::string_view timer, bool enabled) override;
    void set_timer_interval(std::string_view timer, std::int32_t interval) override;
    std::int32_t window_handle() override;

    static void unregister_window_class(HINSTANCE instance);

  private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    void create_window();
    void create_parts();
    void create_part(const ControlDesign& control);
    HFONT font_for(const FontDesign& font, TextView fallback);
    FormPart& part_named(std::string_view control, ControlKind kind);
    FormPart& windowed_part(std::string_view control);
    FormPart& drawing_picture(std::string_view control);
    // Moves the window's outer corner, in pixels; a coordinate not given stays.
    void move_window(std::optional<int> x, std::optional<int> y);
    // The timer's count starts afresh when it runs; a timer that does not run is stopped.
    void restart_timer(const FormPart& timer);
    // The events of the window's parts, each ending at its first error.
    void click(FormPart& button);
    bool on_key(WPARAM key); // Enter presses the default button

    bool on_access_key(wchar_t letter); // Alt and a button's access key
    template <typename Handler> void raise(Handler handler);
    // Everything the window held goes once it is destroyed, by unload or by the user.
    void release_window_resources();

    HINSTANCE instance_;
    FormDesign design_;
    ScreenUnits units_{96, 96};
    HWND window_ = nullptr;
    HWND owner_ = nullptr; // hidden, keeps the window out of the taskbar; lives with the form
    Text caption_;
    std::vector<std::unique_ptr<FormPart>> parts_;
    std::vector<std::pair<FontDesign, HFONT>> fonts_;
    std::vector<HICON> icons_;
    FormEvents* events_ = nullptr;
    bool shown_once_ = false; // since the last load
};

} // namespace orbek
