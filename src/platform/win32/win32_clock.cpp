#include "win32_clock.h"

#include "automation/ole_date.h"

#include <windows.h>

namespace orbek {

// Whole seconds, as the host language's Now gives them.
double Win32Clock::now() const {
    SYSTEMTIME local;
    GetLocalTime(&local);
    const DateParts parts{local.wYear, local.wMonth,  local.wDay,
                          local.wHour, local.wMinute, local.wSecond};
    return ole_date_from_parts(parts).value_or(0.0);
}

void Win32Clock::sleep_milliseconds(int milliseconds) const {
    if (milliseconds > 0) {
        Sleep(static_cast<DWORD>(milliseconds));
    }
}

} // namespace orbek
