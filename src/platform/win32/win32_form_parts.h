// The plain controls of the component's forms as child windows of one class: labels, frames
// and picture boxes. Each paints itself through an off-screen bitmap, so nothing flickers, and
// repaints only when what it shows has changed.
#pragma once

#include "automation/text.h"
#include "platform/form_design.h"

#include <oaidl.h>
#include <string>
#include <windows.h>

namespace orbek {

struct FormPart {
    std::string name;
    ControlKind kind = ControlKind::Label;
    HWND window = nullptr;
    IDispatch* control = nullptr; // External: the control's own dispatch interface
    // Labels: what they show and how; frames draw their edge half a line below their top.
    Text text;
    HFONT font = nullptr;
    COLORREF colour = 0;
    UINT alignment = DT_LEFT;
    int edge_top = 0;
};

// A child window for a label, a frame or a picture box (with a sunken border when asked).
// The part must outlive its window. Null when it cannot be made.
HWND create_form_part_window(FormPart& part, HWND parent, const RECT& place, bool border,
                             HINSTANCE instance);

// A label's new text; the label is repainted only when the text differs.
void set_form_part_text(FormPart& part, TextView text);

void unregister_form_part_class(HINSTANCE instance);

} // namespace orbek
