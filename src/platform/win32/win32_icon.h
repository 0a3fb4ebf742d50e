// Icons from the component's 16-colour icon images.
#pragma once

#include "platform/form_design.h"

#include <windows.h>

namespace orbek {

// A new icon of the image (the caller destroys it); null when it cannot be made.
HICON create_icon(const IconImage& image);

} // namespace orbek
