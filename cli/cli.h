// The native command-line host: calls any method of OrbekDLL by name, through the same call
// engine as every other caller.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace orbek {

// Returns the process exit code: 0 done, 1 the call raised an error, 2 bad usage.
int run_cli(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace orbek
