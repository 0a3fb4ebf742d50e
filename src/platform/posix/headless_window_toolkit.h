// The native build's windows: no display, but a model that keeps each form's state and
// records every operation in order as a line in the host's own words ("FrmX.Caption = ..."),
// for the command line to print and for tests to compare. Its screen is a picture the host
// may choose, and the host plays the user: it clicks, presses keys and lets timers tick.
#pragma once

#include "automation/text.h"
#include "automation/variant.h"
#include "platform/window_toolkit.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbek {

struct HeadlessTimer {
    bool enabled = false;
    std::int32_t interval = 0;
};

// What a loaded form holds; reset to the design on every load. The model's windows have no
// frame: their outer size is their inner size.
struct HeadlessFormState {
    bool loaded = false;
    bool visible = false;
    bool topmost = false;
    bool shown_once = false;
    std::int32_t handle = 0;                  // a new number on every load
    std::optional<std::int32_t> height_twips; // unset until a height is set
    std::int32_t left_twips = 0;
    std::int32_t top_twips = 0;
    std::int32_t width_twips = 0;
    std::map<std::string, Text, std::less<>> texts; // label texts by control name
    std::map<std::string, PixelRect, std::less<>> places; // controls with a window
    // What each picture box that keeps its drawing holds, row by row, as large as it is.
    std::map<std::string, std::vector<std::uint32_t>, std::less<>> images;
    std::map<std::string, HeadlessTimer, std::less<>> timers;
    std::string default_button;
};

// What the model's screen shows: the colour of each pixel (0x00RRGGBB) by its place.
using ScreenPattern = std::function<std::uint32_t(int x, int y)>;

class HeadlessWindowToolkit final : public WindowToolkit {
  public:
    std::unique_ptr<Form> create_form(const FormDesign& design) override;
    void process_pending_events() override;
    ScreenMeasure screen() override { return screen_; }

    // 1024 x 768 pixels of 15 twips, all of one teal, unless the host chooses another.
    void set_screen(int width_pixels, int height_pixels, double twips_per_pixel,
                    ScreenPattern pattern);

    const std::vector<std::string>& operations() const { return operations_; }
    // The lines recorded since the last take, which starts a new record.
    std::vector<std::string> take_operations();
    // Adds a line of another party (a companion double, say) so that it stands in order.
    void record(std::string line);

    // The state of a live form, by its design name; null when no such form lives.
    const HeadlessFormState* form(std::string_view name) const;
    // The design name of the live form that has this handle; empty when none has it.
    std::string form_name_of(std::int32_t handle) const;

    // The user and the clock, acting on a loaded form. Each records the event procedure that
    // runs ("Frm.Cmd_Click", "Frm.Timer1_Timer") and, when its handler fails, the error that
    // ended it; false when the event cannot happen (no such form loaded, no such button, a
    // timer that is not running, no default button, no button with that access key).
    bool click(std::string_view form, std::string_view button);
    bool tick(std::string_view form, std::string_view timer);
    bool press_enter(std::string_view form);
    bool press_access_key(std::string_view form, char16_t letter); // Alt and the letter

  private:
    friend class HeadlessForm;
    std::int32_t next_handle() { return ++last_handle_; }
    class HeadlessForm* live_form(std::string_view name) const;
    std::uint32_t screen_pixel(int x, int y) const;

    std::vector<std::string> operations_;
    std::vector<class HeadlessForm*> live_forms_;
    std::int32_t last_handle_ = 0x10000;
    ScreenMeasure screen_{1024 * 15.0, 768 * 15.0, 15, 15};
    int screen_width_ = 1024;
    int screen_height_ = 768;
    ScreenPattern screen_pattern_;
};

// The text form of a value in a recorded line: its type and its value ("Currency 25.5",
// "Integer 100", "String \"Fin\"").
std::string describe_value(const Variant& value);

} // namespace orbek
