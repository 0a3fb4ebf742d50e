#include "bar_control.h"

#include "automation/conversions.h"
#include "display_controls.h"
#include "model/bar_model.h"

#include <array>

namespace orbek::controls {
namespace {

constexpr std::array BarMembers{DisplayControl::Member{BarValueMember, L"Value"}};

} // namespace

std::span<const DisplayControl::Member> BarControl::members() const {
    return BarMembers;
}

Variant BarControl::get(DISPID) const {
    return Variant(value_);
}

void BarControl::put(DISPID, const Variant& value) {
    const std::int32_t stored = to_long(value);
    const int inner_width = inside(client_rect()).right - inside(client_rect()).left;
    const bool fill_changes =
        bar_fill_width(stored, inner_width) != bar_fill_width(value_, inner_width);
    const bool value_changes = stored != value_;
    value_ = stored;
    if (value_changes) {
        show_value_text();
    }
    if (fill_changes) {
        repaint(); // the same fill is not drawn again
    }
}

Text BarControl::value_text() const {
    return to_text(Variant(value_));
}

RECT BarControl::inside(const RECT& client) const {
    RECT inner = client;
    InflateRect(&inner, -1, -1); // inside the one-pixel sunken edge
    return inner;
}

void BarControl::paint(HDC device, const RECT& client) const {
    FillRect(device, &client, GetSysColorBrush(COLOR_WINDOW));
    RECT edge = client;
    DrawEdge(device, &edge, BDR_SUNKENOUTER, BF_RECT);
    RECT fill = inside(client);
    fill.right = fill.left + bar_fill_width(value_, fill.right - fill.left);
    FillRect(device, &fill, GetSysColorBrush(COLOR_HIGHLIGHT));
}

} // namespace orbek::controls
