#include "platform/posix/headless_window_toolkit.h"

#include "automation/conversions.h"
#include "automation/vb_error.h"

#include <algorithm>
#include <cstdio>

namespace orbek {

namespace {

constexpr std::uint32_t Teal = 0x00008080;
constexpr std::uint32_t ButtonFace = 0x00C0C0C0;

std::string number(std::int32_t value) {
    return std::to_string(value);
}

} // namespace

class HeadlessForm final : public Form {
  public:
    HeadlessForm(HeadlessWindowToolkit& toolkit, const FormDesign& design)
        : toolkit_(toolkit), design_(design) {
        toolkit_.live_forms_.push_back(this);
    }
    ~HeadlessForm() override { std::erase(toolkit_.live_forms_, this); }
    HeadlessForm(const HeadlessForm&) = delete;
    HeadlessForm& operator=(const HeadlessForm&) = delete;

    const std::string& name() const { return design_.name; }
    const HeadlessFormState& state() const { return state_; }

    void load() override {
        if (state_.loaded) {
            return;
        }
        toolkit_.record("Load " + name()); // unloaded, the state is as new
        state_.loaded = true;
        state_.handle = toolkit_.next_handle();
        state_.width_twips = design_.client_width;
        place_window(design_.position == StartPosition::CentreScreen ? Placing::Centred
                                                                     : Placing::AsDesigned);
        for (const ControlDesign& control : design_.controls) {
            switch (control.kind) {
            case ControlKind::Label:
                state_.texts[control.name] = control.caption;
                break;
            case ControlKind::Timer:
                state_.timers[control.name] = {};
                continue;
            default:
                break;
            }
            const TwipsRect& place = control.place;
            state_.places[control.name] = {x_pixels(place.left), y_pixels(place.top),
                                           x_pixels(place.width), y_pixels(place.height)};
            if (control.keeps_drawing) {
                new_image(control);
            }
        }
    }

    void unload() override {
        if (!state_.loaded) {
            return;
        }
        toolkit_.record("Unload " + name());
        state_ = HeadlessFormState{};
    }

    bool is_loaded() const override { return state_.loaded; }
    void set_events(FormEvents* events) override { events_ = events; }

    bool visible() override {
        load();
        toolkit_.record(name() + ".Visible -> " + (state_.visible ? "True" : "False"));
        return state_.visible;
    }

    void show_modeless() override {
        load();
        toolkit_.record(name() + ".Show");
        if (!state_.shown_once && design_.position == StartPosition::CentreScreenWhenShown) {
            place_window(Placing::CentredHalvesToEven);
        }
        state_.shown_once = true;
        state_.visible = true;
    }

    void hide() override {
        load();
        toolkit_.record(name() + ".Hide");
        state_.visible = false;
    }

    void make_topmost() override {
        load();
        toolkit_.record("SetWindowPos " + name() +
                        ".hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE Or SWP_NOSIZE");
        state_.topmost = true;
    }

    std::int32_t left_twips() override {
        load();
        return state_.left_twips;
    }

    std::int32_t top_twips() override {
        load();
        return state_.top_twips;
    }

    void set_left_twips(std::int32_t left) override {
        set_window_value("Left", state_.left_twips, left);
    }

    void set_top_twips(std::int32_t top) override {
        set_window_value("Top", state_.top_twips, top);
    }

    void set_width_twips(std::int32_t width) override {
        set_window_value("Width", state_.width_twips, width);
    }

    void set_height_twips(std::int32_t height) override {
        load();
        toolkit_.record(name() + ".Height = " + number(height));
        state_.height_twips = height;
    }

    std::int32_t inner_width_pixels() override {
        load();
        return x_pixels(state_.width_twips);
    }

    std::int32_t inner_height_pixels() override {
        load();
        return y_pixels(state_.height_twips.value_or(design_.client_height));
    }

    void set_caption(TextView caption) override {
        load();
        toolkit_.record(name() + ".Caption = " + quoted(caption));
    }

    void set_control_text(std::string_view control, TextView text) override {
        const ControlDesign& design = control_named(control, ControlKind::Label);
        load();
        toolkit_.record(name() + "." + design.name + ".Caption = " + quoted(text));
        state_.texts[design.name] = Text(text);
    }

    void put_control_property(std::string_view control, std::int32_t member,
                              const Variant& value) override {
        const ControlDesign& design = control_named(control, ControlKind::External);
        load();
        char id[16];
        std::snprintf(id, sizeof id, "0x%08X", static_cast<unsigned>(member));
        toolkit_.record(name() + "." + design.name + ".[" + id + "] = " + describe_value(value));
    }

    PixelRect control_rect_pixels(std::string_view control) override {
        const ControlDesign& design = windowed_control(control);
        load();
        return state_.places.at(design.name);
    }

    void move_control_pixels(std::string_view control, const PixelRect& place) override {
        const ControlDesign& design = windowed_control(control);
        load();
        toolkit_.record(name() + "." + design.name + ".Move " + number(place.left) + ", " +
                        number(place.top) + ", " + number(place.width) + ", " +
                        number(place.height));
        PixelRect& held = state_.places.at(design.name);
        const bool resized = held.width != place.width || held.height != place.height;
        held = place;
        if (resized && design.keeps_drawing) {
            new_image(design); // a new size starts a new, blank image
        }
    }

    void refresh_control(std::string_view control) override {
        const ControlDesign& design = windowed_control(control);
        load();
        toolkit_.record(name() + "." + design.name + ".Refresh");
    }

    PixelBuffer picture_pixels(std::string_view control) override {
        const ControlDesign& design = drawing_picture(control);
        load();
        const PixelRect& place = state_.places.at(design.name);
        return {state_.images.at(design.name).data(), place.width, place.height};
    }

    void copy_screen_to_picture(std::string_view control, std::int32_t x, std::int32_t y) override {
        const ControlDesign& design = drawing_picture(control);
        load();
        const PixelRect& place = state_.places.at(design.name);
        toolkit_.record("BitBlt " + name() + "." + design.name + ".hDC, 0, 0, " +
                        number(place.width) + ", " + number(place.height) + ", GetDC(0), " +
                        number(x) + ", " + number(y) + ", SRCCOPY");
        std::uint32_t* pixel = state_.images.at(design.name).data();
        for (std::int32_t row = 0; row < place.height; ++row) {
            for (std::int32_t column = 0; column < place.width; ++column) {
                *pixel++ = toolkit_.screen_pixel(x + column, y + row);
            }
        }
    }

    void set_default_button(std::string_view button) override {
        const ControlDesign& design = control_named(button, ControlKind::CommandButton);
        load();
        toolkit_.record(name() + "." + design.name + ".Default = True");
        state_.default_button = design.name;
    }

    void set_timer_enabled(std::string_view timer, bool enabled) override {
        const ControlDesign& design = control_named(timer, ControlKind::Timer);
        load();
        toolkit_.record(name() + "." + design.name + ".Enabled = " + (enabled ? "True" : "False"));
        state_.timers.at(design.name).enabled = enabled;
    }

    void set_timer_interval(std::string_view timer, std::int32_t interval) override {
        const ControlDesign& design = control_named(timer, ControlKind::Timer);
        load();
        toolkit_.record(name() + "." + design.name + ".Interval = " + number(interval));
        state_.timers.at(design.name).interval = interval;
    }

    std::int32_t window_handle() override {
        load();
        return state_.handle;
    }

    // The user's and the clock's side.
    bool click(std::string_view button) {
        const ControlDesign* design = find(button);
        if (!state_.loaded || design == nullptr || design->kind != ControlKind::CommandButton) {
            return false;
        }
        run_handler(design->name + "_Click", [&] { events_->clicked(design->name); });
        return true;
    }

    bool tick(std::string_view timer) {
        const auto running = state_.timers.find(timer);
        if (running == state_.timers.end() || !running->second.enabled ||
            running->second.interval <= 0) {
            return false;
        }
        const std::string held(running->first);
        run_handler(held + "_Timer", [&] { events_->timer_ticked(held); });
        return true;
    }

    bool press_enter() { return !state_.default_button.empty() && click(state_.default_button); }

    bool press_access_key(char16_t letter) {
        const Text wanted = to_upper(TextView(&letter, 1));
        for (const ControlDesign& control : design_.controls) {
            if (control.kind == ControlKind::CommandButton &&
                access_key_of(control.caption) == wanted[0]) {
                return click(control.name);
            }
        }
        return false;
    }

  private:
    static std::string quoted(TextView text) { return "\"" + to_utf8(text) + "\""; }

    std::int32_t x_pixels(double twips) const {
        return double_to_long(twips / toolkit_.screen_.twips_per_pixel_x);
    }
    std::int32_t y_pixels(double twips) const {
        return double_to_long(twips / toolkit_.screen_.twips_per_pixel_y);
    }

    enum class Placing { AsDesigned, Centred, CentredHalvesToEven };

    // Centred on the screen at the window's size now, in whole pixels (a half cut down, or
    // going to the even neighbour); else as designed.
    void place_window(Placing placing) {
        const ScreenMeasure& screen = toolkit_.screen_;
        if (placing == Placing::AsDesigned) {
            state_.left_twips = design_.client_left;
            state_.top_twips = design_.client_top;
            return;
        }
        const auto centred = [placing](int screen_size, int size) {
            return placing == Placing::Centred ? (screen_size - size) / 2
                                               : double_to_long(screen_size / 2.0 - size / 2.0);
        };
        const std::int32_t height = state_.height_twips.value_or(design_.client_height);
        state_.left_twips = static_cast<std::int32_t>(
            centred(toolkit_.screen_width_, x_pixels(state_.width_twips)) *
            screen.twips_per_pixel_x);
        state_.top_twips = static_cast<std::int32_t>(
            centred(toolkit_.screen_height_, y_pixels(height)) * screen.twips_per_pixel_y);
    }

    void set_window_value(const char* property, std::int32_t& held, std::int32_t value) {
        load();
        toolkit_.record(name() + "." + property + " = " + number(value));
        held = value;
    }

    void new_image(const ControlDesign& control) {
        const PixelRect& place = state_.places.at(control.name);
        const std::uint32_t back =
            control.back_colour ? pixel_of_colour(*control.back_colour) : ButtonFace;
        state_.images[control.name].assign(static_cast<std::size_t>(std::max(place.width, 0)) *
                                               static_cast<std::size_t>(std::max(place.height, 0)),
                                           back);
    }

    template <typename Handler> void run_handler(const std::string& procedure, Handler handler) {
        toolkit_.record(name() + "." + procedure);
        if (events_ == nullptr) {
            return;
        }
        try {
            handler();
        } catch (const VbError& error) {
            toolkit_.record(name() + "." + procedure + " ended by error " + number(error.number()));
        }
    }

    const ControlDesign* find(std::string_view control) const {
        for (const ControlDesign& design : design_.controls) {
            if (design.name == control) {
                return &design;
            }
        }
        return nullptr;
    }

    const ControlDesign& control_named(std::string_view control, ControlKind kind) const {
        const ControlDesign* design = find(control);
        if (design == nullptr || design->kind != kind) {
            throw VbError(vb::MemberNotFound);
        }
        return *design;
    }

    const ControlDesign& windowed_control(std::string_view control) const {
        const ControlDesign* design = find(control);
        if (design == nullptr || design->kind == ControlKind::Timer) {
            throw VbError(vb::MemberNotFound);
        }
        return *design;
    }

    const ControlDesign& drawing_picture(std::string_view control) const {
        const ControlDesign& design = control_named(control, ControlKind::PictureBox);
        if (!design.keeps_drawing) {
            throw VbError(vb::MemberNotFound);
        }
        return design;
    }

    HeadlessWindowToolkit& toolkit_;
    FormDesign design_;
    HeadlessFormState state_;
    FormEvents* events_ = nullptr;
};

std::unique_ptr<Form> HeadlessWindowToolkit::create_form(const FormDesign& design) {
    return std::make_unique<HeadlessForm>(*this, design);
}

void HeadlessWindowToolkit::process_pending_events() {
    record("DoEvents");
}

void HeadlessWindowToolkit::set_screen(int width_pixels, int height_pixels, double twips_per_pixel,
                                       ScreenPattern pattern) {
    screen_width_ = width_pixels;
    screen_height_ = height_pixels;
    screen_ = {width_pixels * twips_per_pixel, height_pixels * twips_per_pixel, twips_per_pixel,
               twips_per_pixel};
    screen_pattern_ = std::move(pattern);
}

std::uint32_t HeadlessWindowToolkit::screen_pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= screen_width_ || y >= screen_height_) {
        return 0; // beyond the screen: black
    }
    return screen_pattern_ ? screen_pattern_(x, y) & 0x00FFFFFFu : Teal;
}

std::vector<std::string> HeadlessWindowToolkit::take_operations() {
    std::vector<std::string> taken;
    taken.swap(operations_);
    return taken;
}

void HeadlessWindowToolkit::record(std::string line) {
    operations_.push_back(std::move(line));
}

HeadlessForm* HeadlessWindowToolkit::live_form(std::string_view name) const {
    for (HeadlessForm* live : live_forms_) {
        if (live->name() == name) {
            return live;
        }
    }
    return nullptr;
}

const HeadlessFormState* HeadlessWindowToolkit::form(std::string_view name) const {
    const HeadlessForm* live = live_form(name);
    return live != nullptr ? &live->state() : nullptr;
}

std::string HeadlessWindowToolkit::form_name_of(std::int32_t handle) const {
    for (const HeadlessForm* live : live_forms_) {
        if (live->state().loaded && live->state().handle == handle) {
            return live->name();
        }
    }
    return {};
}

bool HeadlessWindowToolkit::click(std::string_view form, std::string_view button) {
    HeadlessForm* live = live_form(form);
    return live != nullptr && live->click(button);
}

bool HeadlessWindowToolkit::tick(std::string_view form, std::string_view timer) {
    HeadlessForm* live = live_form(form);
    return live != nullptr && live->tick(timer);
}

bool HeadlessWindowToolkit::press_enter(std::string_view form) {
    HeadlessForm* live = live_form(form);
    return live != nullptr && live->press_enter();
}

bool HeadlessWindowToolkit::press_access_key(std::string_view form, char16_t letter) {
    HeadlessForm* live = live_form(form);
    return live != nullptr && live->press_access_key(letter);
}

std::string describe_value(const Variant& value) {
    const char* type_name = "Variant";
    switch (value.type()) {
    case VarType::Empty:
        return "Empty";
    case VarType::Null:
        return "Null";
    case VarType::Integer:
        type_name = "Integer";
        break;
    case VarType::Long:
        type_name = "Long";
        break;
    case VarType::Single:
        type_name = "Single";
        break;
    case VarType::Double:
        type_name = "Double";
        break;
    case VarType::Currency:
        type_name = "Currency";
        break;
    case VarType::Date:
        type_name = "Date";
        break;
    case VarType::String:
        return "String \"" + to_utf8(value.as<Text>()) + "\"";
    case VarType::Object:
        return "Object";
    case VarType::Error:
        return "Error";
    case VarType::Boolean:
        type_name = "Boolean";
        break;
    case VarType::Byte:
        type_name = "Byte";
        break;
    }
    return std::string(type_name) + " " + to_utf8(to_text(value));
}

} // namespace orbek
