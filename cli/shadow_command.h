// `orbek shadow IN OUT [NAME=VALUE...]`: the splash window's drop shadow painted into a
// picture file, to look at the effect without Windows.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace orbek {

// The usage text, for the command line's own help.
extern const char* const ShadowUsage;

// `args` are what follows the word "shadow": the input picture (binary PPM, "P6", 8 bits a
// channel), the output picture (written as the same kind of PPM), then optional settings:
//   margin=N            the margin round the artwork (default 32)
//   colour=R,G,B        the shadow colour (default 50,50,40)
//   offset=X,Y          the shadow's shift (default 8,10)
//   radius=N            rounded corners (default 0)
//   size=N              the width of the ring (default the margin, at least 1)
//   rect=L,T,W,H        the rectangle casting the shadow (default: as the splash window
//                       places it for a picture of this size and these settings)
// The shadow is worked out as the splash window does for a background of the picture's size,
// then painted with the image form of DrawShadow; parts of the ring outside the picture are
// left out. Returns 0 when the output is written, 1 when a file cannot be read or written,
// 2 for bad usage.
int run_shadow_command(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace orbek
