#include "splash/shadowed_window.h"

#include "automation/conversions.h"
#include "splash/capture_and_shade.h"
#include "splash/draw_shadow.h"
#include "splash/splash_form.h"

namespace orbek {

using splash_form::Artwork;
using splash_form::Background;

std::int32_t ShowShadowed(Form& window, WindowToolkit& toolkit) {
    window.make_topmost();
    window.show_modeless();
    const std::int32_t top = window.top_twips();
    const std::int32_t left = window.left_twips();
    const ScreenMeasure screen = toolkit.screen();
    window.set_top_twips(double_to_long(screen.height_twips + 100));
    window.set_left_twips(double_to_long(screen.width_twips + 100));
    toolkit.process_pending_events();
    const float border = shadow_border(window.control_rect_pixels(Background).width,
                                       window.control_rect_pixels(Artwork).width);
    CaptureAndShade(window, toolkit, border, SplashShadowColour, SplashShadowOffsetX,
                    SplashShadowOffsetY);
    window.set_left_twips(left);
    window.set_top_twips(top);
    return window.window_handle();
}

void CaptureAndShade(Form& window, WindowToolkit& toolkit, float border, ColourValue colour,
                     std::int32_t offsetX, std::int32_t offsetY) {
    const PixelRect background = window.control_rect_pixels(Background);
    const ScreenRectangle source =
        capture_source(toolkit.screen(), window.inner_width_pixels(), window.inner_height_pixels(),
                       background.width, background.height);
    window.copy_screen_to_picture(Background, source.x, source.y);
    const ShadowSpec spec =
        capture_shadow_spec(border, colour, offsetX, offsetY, background.width, background.height);
    DrawShadow(window.picture_pixels(Background), spec);
    window.refresh_control(Background);
}

} // namespace orbek
