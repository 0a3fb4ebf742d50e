// The plain controls of the component's forms as child windows of one class: labels, frames,
// picture boxes and buttons (timers are parts without a window). Each paints itself through
// an off-screen bitmap, so nothing flickers, and repaints only when what it shows has changed.
#pragma once

#include "automation/text.h"
#include "platform/form_design.h"
#include "platform/win32/screen_copy.h"

#include <memory>
#include <oaidl.h>
#include <optional>
#include <string>
#include <windows.h>

namespace orbek {

// What a button sends its top-level window, synchronously, when it has been clicked: the
// FormPart in lParam. The part may be gone when the message returns.
inline constexpr UINT FormPartClicked = WM_APP + 0x4F;

struct FormPart {
    FormPart() = default;
    ~FormPart();
    FormPart(const FormPart&) = delete;
    FormPart& operator=(const FormPart&) = delete;

    std::string name;
    ControlKind kind = ControlKind::Label;
    HWND window = nullptr;
    FormPart* parent = nullptr;   // the part it lies in; null on the window itself
    IDispatch* control = nullptr; // External: the control's own dispatch interface
    // Labels and buttons: what they show and how; frames draw their edge half a line below
    // their top.
    Text text;
    HFONT font = nullptr;
    COLORREF colour = 0;
    UINT alignment = DT_LEFT;
    int edge_top = 0;
    std::optional<COLORREF> back; // the button face when not given
    bool transparent = false;     // a label painted over what lies beneath it
    bool auto_size = false;       // a label as wide as its text
    // Picture boxes: a picture at the top-left corner, and the image of what is drawn into
    // it when it keeps its drawing.
    HBITMAP picture = nullptr;
    std::unique_ptr<ScreenCopy> image;
    // Buttons.
    HICON icon = nullptr;
    bool is_default = false;
    bool pressed = false; // held down by the mouse
    // Timers.
    bool enabled = false;
    std::int32_t interval = 0;
};

// A child window for a label, a frame, a picture box (with a sunken border when asked) or a
// button. The part must outlive its window. Null when it cannot be made.
HWND create_form_part_window(FormPart& part, HWND parent, const RECT& place, bool border,
                             HINSTANCE instance);

// A label's new text; the label is repainted only when the text differs.
void set_form_part_text(FormPart& part, TextView text);

// A picture box's new image of what is drawn into it, as large as the box, all its back colour.
void renew_form_part_image(FormPart& part);

void unregister_form_part_class(HINSTANCE instance);

} // namespace orbek
