// Windows of the component as its code sees them: a form built from its design, with its
// controls reached by name, shown modeless on the calling thread.
#pragma once

#include "automation/text.h"
#include "automation/variant.h"
#include "platform/form_design.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace orbek {

// One window of the thread, the way a form's default instance behaves: it starts unloaded,
// any operation on an unloaded form first loads it from its design (hidden), and `unload`
// discards the window and everything set on it. A control name that the design does not
// have is error 438; a failing operation is a VbError.
class Form {
  public:
    virtual ~Form() = default;

    virtual void load() = 0;   // nothing when already loaded
    virtual void unload() = 0; // nothing when not loaded
    virtual bool is_loaded() const = 0;

    virtual bool visible() = 0;
    // Shows the window modeless, without an owner; a shown window stays where it is.
    virtual void show_modeless() = 0;
    virtual void hide() = 0;

    // The full height of the window, frame included.
    virtual void set_height_twips(std::int32_t height) = 0;
    virtual void set_caption(TextView caption) = 0;
    // The text of a label.
    virtual void set_control_text(std::string_view control, TextView text) = 0;
    // A property put through the control's dispatch interface, by member id.
    virtual void put_control_property(std::string_view control, std::int32_t member,
                                      const Variant& value) = 0;

    // The window's handle as a number, for whoever is asked to act on the window itself.
    virtual std::int32_t window_handle() = 0;
};

class WindowToolkit {
  public:
    virtual ~WindowToolkit() = default;

    // The form's default instance, not loaded yet. It must not outlive the toolkit.
    virtual std::unique_ptr<Form> create_form(const FormDesign& design) = 0;

    // Lets the calling thread's pending window events be handled: one pass over its queue.
    virtual void process_pending_events() = 0;
};

} // namespace orbek
