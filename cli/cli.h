// The native command-line host: calls any method of OrbekDLL by name.
#pragma once

#include "platform/clock.h"
#include "platform/window_layer.h"

#include <ostream>
#include <span>
#include <string>

namespace orbek {

// Returns the process exit code: 0 done, 1 the call raised an error, 2 bad usage.
int run_cli(std::span<const std::string> args, std::ostream& out, std::ostream& err,
            const Clock& clock, WindowLayer& windows);

} // namespace orbek
