#include "recording_window_layer.h"

namespace orbek {

void RecordingWindowLayer::close_effect(const Variant& window, std::int32_t start,
                                        std::int32_t height, std::int32_t style) {
    calls_.push_back({WindowLayerCall::Kind::CloseEffect, window, start, height, style});
}

void RecordingWindowLayer::show_system_info() {
    calls_.push_back({WindowLayerCall::Kind::ShowSystemInfo, Variant(), 0, 0, 0});
}

} // namespace orbek
