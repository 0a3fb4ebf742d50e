// The description of one soft drop shadow, in the order its fields are laid out.
#pragma once

#include <cstdint>

namespace orbek {

// The host's boolean: 0 is false, any other value true; true itself is all bits set.
inline constexpr std::int16_t HostTrue = -1;

struct ShadowSpec {
    std::int32_t Left = 0;   // left column of the rectangle casting the shadow, before OffsetX
    std::int32_t Top = 0;    // its top row, before OffsetY
    std::int32_t Width = 0;  // its right edge is column Left + Width
    std::int32_t Height = 0; // its bottom edge is row Top + Height
    std::int32_t Radius = 0; // of the rounded corners; 0 gives square corners
    std::int16_t Visible = 0;
    std::int32_t Size = 1; // width of the ring that fades out, at least 1
    std::int32_t OffsetX = 0;
    std::int32_t OffsetY = 0;
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;

    friend bool operator==(const ShadowSpec&, const ShadowSpec&) = default;
};

} // namespace orbek
