#include "splash/splash_window.h"

#include "automation/conversions.h"
#include "automation/vb_error.h"
#include "splash/capture_and_shade.h"
#include "splash/shadowed_window.h"
#include "splash/splash_form.h"

namespace orbek {

using namespace splash_form;

namespace {

constexpr std::int32_t ClosingInterval = 12345; // milliseconds

// Form_Load: the background as large as the artwork with the margin round it, the artwork
// in its middle, the window as large as the background; then the shadow, the timer and the
// texts.
void load_window(SplashState& state, WindowToolkit& toolkit) {
    Form& window = *state.window;
    const PixelRect artwork = window.control_rect_pixels(Artwork);
    PixelRect background = window.control_rect_pixels(Background);
    background.width = artwork.width + 2 * SplashMargin;
    background.height = artwork.height + 2 * SplashMargin;
    window.move_control_pixels(Background, background);
    window.move_control_pixels(Artwork,
                               {double_to_long(background.width / 2.0 - artwork.width / 2.0),
                                double_to_long(background.height / 2.0 - artwork.height / 2.0),
                                artwork.width, artwork.height});
    const ScreenMeasure screen = toolkit.screen();
    window.set_width_twips(double_to_long(screen.twips_per_pixel_x * background.width));
    window.set_height_twips(double_to_long(screen.twips_per_pixel_y * background.height));
    state.shadowed_window = ShowShadowed(window, toolkit);
    window.set_timer_enabled(Timer, true);
    FillSplashLabels(window, state.texts);
}

} // namespace

// The window's event procedures.
class SplashEvents final : public FormEvents {
  public:
    SplashEvents(SplashState& state, const SplashServices& services)
        : state_(state), sys_tools_(services.sys_tools) {}

    void clicked(std::string_view control) override {
        if (control == CloseButton) {
            CmdSalida_Click();
        } else if (control == SystemButton) {
            CmdSystem_Click();
        }
    }

    void timer_ticked(std::string_view) override { state_.window->unload(); }

  private:
    void CmdSalida_Click() { state_.window->unload(); }

    void CmdSystem_Click() {
        CmdSalida_Click();
        if (!sys_tools_) {
            throw VbError(vb::ObjectNotSet);
        }
        sys_tools_->ShowSystemInfo(Variant(true), true);
    }

    SplashState& state_;
    const std::shared_ptr<SysTools>& sys_tools_;
};

SplashState::SplashState() = default;
SplashState::~SplashState() = default;

void show_splash(SplashState& state, const SplashServices& services, const Variant& Company,
                 const Variant& CopyRight, const Variant& Version, const Variant& Producto) {
    state.texts.company = to_text(Company);
    state.texts.copyright = to_text(CopyRight);
    state.texts.version = to_text(Version);
    state.texts.product = to_text(Producto);
    state.form_style = 1;
    if (!state.window) {
        state.events = std::make_unique<SplashEvents>(state, services);
        state.window = services.toolkit.create_form(splash_design());
        state.window->set_events(state.events.get());
    }
    if (!state.window->is_loaded()) {
        state.window->load();
        load_window(state, services.toolkit);
    }
    state.window->show_modeless();
}

void FillSplashLabels(Form& window, const SplashTexts& texts) {
    window.set_timer_interval(Timer, ClosingInterval);
    const TextView trimmed = trim_spaces(texts.company);
    const TextView company = trimmed.empty() ? TextView(u"Tesmara II") : trimmed;
    window.set_control_text(CopyrightLabel, texts.copyright);
    window.set_control_text(VersionLabel, texts.version);
    window.set_control_text(ProductLabel, texts.product);
    window.set_control_text(CompanyLabel, to_upper(company));
    window.set_default_button(CloseButton);
}

} // namespace orbek
