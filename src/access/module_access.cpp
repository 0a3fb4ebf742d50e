#include "access/module_access.h"

#include "automation/conversions.h"
#include "automation/vb_error.h"

#include <limits>
#include <optional>

namespace orbek {
namespace {

constexpr std::int32_t FlagCount = 16;

// The position is worked out in 16 bits like the module number itself.
std::int16_t flag_position(std::int16_t module) {
    const std::int32_t position = FlagCount + 1 - module;
    if (position > std::numeric_limits<std::int16_t>::max()) {
        throw VbError(vb::Overflow);
    }
    return static_cast<std::int16_t>(position);
}

} // namespace

bool module_granted(TextView rights, std::int16_t module, SysTools& tools) {
    const std::int16_t position = flag_position(module);
    const Text decoded = tools.DecodeText(rights);
    const Text flags = tools.ToBitText(decoded);
    // A position past the flags gives the empty text, which is no number: a type mismatch.
    const std::optional<double> flag = parse_number_text(mid(flags, position, 1));
    if (!flag) {
        throw VbError(vb::TypeMismatch);
    }
    return *flag == 1;
}

} // namespace orbek
