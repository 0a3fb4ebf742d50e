// How an in-process server's entry points keep it loaded: DllCanUnloadNow while its class
// factory, an object or a LockServer lock is alive, and after all of them are gone.
#pragma once

#include "host_checks.h"

#include <string>

namespace wine_checks {

// Loads the DLL at `path` itself and asks it for the factory of `class_id`, whose objects
// are called `class_name`; the results are named after `dll`.
void check_unloading(Report& report, const wchar_t* path, const std::string& dll, REFCLSID class_id,
                     const std::string& class_name);

} // namespace wine_checks
