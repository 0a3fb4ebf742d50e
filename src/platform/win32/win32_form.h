// One form of the component as a top-level window of the calling thread, built from its
// design on every load.
#pragma once

#include "platform/win32/win32_form_parts.h"
#include "platform/win32/win32_screen_units.h"
#include "platform/window_toolkit.h"

#include <memory>
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
    bool visible() override;
    void show_modeless() override;
    void hide() override;
    void set_height_twips(std::int32_t height) override;
    void set_caption(TextView caption) override;
    void set_control_text(std::string_view control, TextView text) override;
    void put_control_property(std::string_view control, std::int32_t member,
                              const Variant& value) override;
    std::int32_t window_handle() override;

    static void unregister_window_class(HINSTANCE instance);

  private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    void create_window();
    void create_parts();
    HFONT font_for(const FontDesign& font);
    FormPart& part_named(std::string_view control, ControlKind kind);
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
};

} // namespace orbek
