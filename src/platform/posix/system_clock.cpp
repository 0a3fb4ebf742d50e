#include "platform/posix/system_clock.h"

#include "automation/ole_date.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace orbek {

double SystemClock::now() const {
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    const DateParts parts{local.tm_year + 1900, local.tm_mon + 1,
                          local.tm_mday,        local.tm_hour,
                          local.tm_min,         local.tm_sec > 59 ? 59 : local.tm_sec};
    return ole_date_from_parts(parts).value_or(0.0);
}

void SystemClock::sleep_milliseconds(int milliseconds) const {
    if (milliseconds > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

} // namespace orbek
