#include "platform/posix/headless_companion_windows.h"

#include <string>

namespace orbek {

void HeadlessCompanionWindows::close_effect(const Variant& window, std::int32_t start,
                                            std::int32_t height, std::int32_t style) {
    const std::string form =
        window.holds<std::int32_t>() ? toolkit_.form_name_of(window.as<std::int32_t>()) : "";
    toolkit_.record("CloseEffect " + std::to_string(start) + ", " + std::to_string(height) + ", " +
                    std::to_string(style) + ", " + (form.empty() ? describe_value(window) : form));
}

void HeadlessCompanionWindows::show_system_info() {
    toolkit_.record("ShowSystemInfo");
}

} // namespace orbek
