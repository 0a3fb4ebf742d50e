#include "dial_control.h"

#include "automation/conversions.h"
#include "display_controls.h"
#include "model/dial_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace orbek::controls {
namespace {

constexpr std::array DialMembers{DisplayControl::Member{DialValueMember, L"Value"},
                                 DisplayControl::Member{DialMaxMember, L"max"}};

constexpr COLORREF FaceColour = RGB(255, 255, 255);
constexpr COLORREF RimColour = RGB(64, 64, 64);
constexpr COLORREF ScaleColour = RGB(0, 0, 128);
constexpr COLORREF NeedleColour = RGB(200, 0, 0);
constexpr COLORREF ReadoutColour = RGB(0, 0, 0);

struct Geometry {
    double centre_x;
    double centre_y;
    double radius;

    POINT at(double degrees, double distance) const {
        const double radians = degrees * std::numbers::pi / 180.0;
        return {static_cast<LONG>(std::lround(centre_x + distance * std::cos(radians))),
                static_cast<LONG>(std::lround(centre_y - distance * std::sin(radians)))};
    }
};

// Selects a GDI object for the lifetime of the scope and deletes it afterwards.
class Selected {
  public:
    Selected(HDC device, HGDIOBJ object)
        : device_(device), object_(object), previous_(SelectObject(device, object)) {}
    ~Selected() {
        SelectObject(device_, previous_);
        DeleteObject(object_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC device_;
    HGDIOBJ object_;
    HGDIOBJ previous_;
};

void draw_line(HDC device, POINT from, POINT to, int width, COLORREF colour) {
    Selected pen(device, CreatePen(PS_SOLID, width, colour));
    MoveToEx(device, from.x, from.y, nullptr);
    LineTo(device, to.x, to.y);
}

void draw_disc(HDC device, const Geometry& g, double radius, COLORREF fill, COLORREF rim) {
    Selected pen(device, CreatePen(PS_SOLID, 1, rim));
    Selected brush(device, CreateSolidBrush(fill));
    Ellipse(device, static_cast<int>(std::lround(g.centre_x - radius)),
            static_cast<int>(std::lround(g.centre_y - radius)),
            static_cast<int>(std::lround(g.centre_x + radius)) + 1,
            static_cast<int>(std::lround(g.centre_y + radius)) + 1);
}

void draw_scale(HDC device, const Geometry& g) {
    for (int step = 0; step <= 20; ++step) {
        const double degrees = DialStartDegrees - DialSweepDegrees * step / 20.0;
        const bool major = step % 2 == 0;
        draw_line(device, g.at(degrees, g.radius * (major ? 0.74 : 0.8)),
                  g.at(degrees, g.radius * 0.9), major ? 2 : 1, ScaleColour);
    }
}

void draw_text(HDC device, const Text& text, RECT box, int height, int weight) {
    Selected font(device, CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE,
                                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));
    SetBkMode(device, TRANSPARENT);
    SetTextColor(device, ReadoutColour);
    const std::wstring wide(text.begin(), text.end());
    DrawTextW(device, wide.c_str(), static_cast<int>(wide.size()), &box,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

} // namespace

std::span<const DisplayControl::Member> DialControl::members() const {
    return DialMembers;
}

Variant DialControl::get(DISPID member) const {
    if (member == DialMaxMember) {
        return Variant(max_);
    }
    return Variant(value_);
}

void DialControl::put(DISPID member, const Variant& value) {
    if (member == DialMaxMember) {
        const float stored = to_single(value);
        const bool changes = stored != max_;
        max_ = stored;
        if (changes) {
            repaint();
        }
        return;
    }
    const Currency stored = to_currency(value);
    const bool changes = stored != value_;
    value_ = stored;
    if (changes) {
        show_value_text();
        repaint(); // the same value is not drawn again
    }
}

Text DialControl::value_text() const {
    return currency_to_text(value_);
}

void DialControl::paint(HDC device, const RECT& client) const {
    FillRect(device, &client, GetSysColorBrush(COLOR_BTNFACE));
    const double size = std::min(client.right, client.bottom);
    const Geometry g{client.right / 2.0, client.bottom / 2.0, size / 2.0 - 3};
    if (g.radius < 8) {
        return;
    }
    draw_disc(device, g, g.radius + 2, RimColour, RimColour);
    draw_disc(device, g, g.radius, FaceColour, RimColour);
    draw_scale(device, g);

    // The readout sits in the gap below the scale.
    const RECT readout{static_cast<int>(g.centre_x - g.radius * 0.6),
                       static_cast<int>(g.centre_y + g.radius * 0.42),
                       static_cast<int>(g.centre_x + g.radius * 0.6),
                       static_cast<int>(g.centre_y + g.radius * 0.74)};
    draw_text(device, dial_readout(value_), readout, std::max(9, static_cast<int>(g.radius / 5)),
              FW_BOLD);

    const double needle = dial_needle_degrees(value_, max_);
    const POINT centre = g.at(0, 0);
    draw_line(device, centre, g.at(needle, g.radius * 0.82), 3, NeedleColour);
    draw_disc(device, g, std::max(3.0, g.radius / 10), RimColour, RimColour);
}

} // namespace orbek::controls
