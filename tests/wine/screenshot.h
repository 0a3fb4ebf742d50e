// The whole screen saved as a 24-bit BMP file, for the test hosts that show windows.
#pragma once

#include <string>

namespace wine_checks {

// Writes what the screen shows now to `path`; false when it cannot.
bool save_screenshot(const std::wstring& path);

} // namespace wine_checks
