// Windows of the component as its code sees them: a form built from its design, with its
// controls reached by name, shown modeless on the calling thread.
#pragma once

#include "automation/text.h"
#include "automation/variant.h"
#include "platform/form_design.h"
#include "platform/surfaces.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace orbek {

// The screen as a window measures it: its size in twips and the twips in one pixel.
struct ScreenMeasure {
    double width_twips = 0;
    double height_twips = 0;
    double twips_per_pixel_x = 15;
    double twips_per_pixel_y = 15;
};

// A control's place in its parent's inner area, in pixels.
struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// What a form's controls report, as the form's event procedures receive it. Whatever a
// handler throws ends that handler and goes no further: the window system called it, not
// the host's code.
class FormEvents {
  public:
    // A button pressed: clicked, its access key (Alt and the letter), or Enter for the
    // default button.
    virtual void clicked(std::string_view control) = 0;
    virtual void timer_ticked(std::string_view timer) = 0;

  protected:
    ~FormEvents() = default;
};

// One window of the thread, the way a form's default instance behaves: it starts unloaded,
// any operation on an unloaded form first loads it from its design (hidden), and `unload`
// discards the window and everything set on it. A control name that the design does not
// have, or a control of another kind than the operation needs, is error 438; a failing
// operation is a VbError.
class Form {
  public:
    virtual ~Form() = default;

    virtual void load() = 0;   // nothing when already loaded
    virtual void unload() = 0; // nothing when not loaded
    virtual bool is_loaded() const = 0;
    // Where its events go from now on (null: nowhere); kept across loads.
    virtual void set_events(FormEvents* events) = 0;

    virtual bool visible() = 0;
    // Shows the window modeless, without an owner; a shown window stays where it is.
    virtual void show_modeless() = 0;
    virtual void hide() = 0;
    // Above every window that is not topmost, from now until it is unloaded.
    virtual void make_topmost() = 0;

    // The window's outer place and size in twips; a new place moves it at once.
    virtual std::int32_t left_twips() = 0;
    virtual std::int32_t top_twips() = 0;
    virtual void set_left_twips(std::int32_t left) = 0;
    virtual void set_top_twips(std::int32_t top) = 0;
    virtual void set_width_twips(std::int32_t width) = 0;
    // The full height of the window, frame included.
    virtual void set_height_twips(std::int32_t height) = 0;
    // The inner area's size in pixels.
    virtual std::int32_t inner_width_pixels() = 0;
    virtual std::int32_t inner_height_pixels() = 0;

    virtual void set_caption(TextView caption) = 0;
    // The text of a label.
    virtual void set_control_text(std::string_view control, TextView text) = 0;
    // A property put through the control's dispatch interface, by member id.
    virtual void put_control_property(std::string_view control, std::int32_t member,
                                      const Variant& value) = 0;
    // Place and size of a control with a window, in pixels of its parent's inner area.
    virtual PixelRect control_rect_pixels(std::string_view control) = 0;
    virtual void move_control_pixels(std::string_view control, const PixelRect& place) = 0;
    // Repaints the control at once.
    virtual void refresh_control(std::string_view control) = 0;

    // A picture box that keeps its drawing: the image it keeps, as large as its inner area,
    // and a copy of a screen rectangle of that size (its top-left corner at x, y) into it.
    // Drawing into the image shows at the next refresh.
    virtual PixelBuffer picture_pixels(std::string_view control) = 0;
    virtual void copy_screen_to_picture(std::string_view control, std::int32_t x,
                                        std::int32_t y) = 0;

    // The button that Enter presses.
    virtual void set_default_button(std::string_view button) = 0;
    // A timer ticks every `interval` milliseconds while enabled and the interval is above 0;
    // setting either starts its count afresh.
    virtual void set_timer_enabled(std::string_view timer, bool enabled) = 0;
    virtual void set_timer_interval(std::string_view timer, std::int32_t interval) = 0;

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

    virtual ScreenMeasure screen() = 0;
};

} // namespace orbek
