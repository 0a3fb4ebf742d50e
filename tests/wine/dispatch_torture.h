// Sends every kind of argument a client can put into DISPPARAMS (each VARTYPE by value and
// by reference, null pointers, arrays, objects, wrong counts) to every method of an object's
// dispatch interface, and checks that each answer is one of the defined HRESULTs.
#pragma once

#include "host_checks.h"

#include <string>
#include <vector>

namespace wine_checks {

// Methods named in `skipped` are left out (those that open windows or wait for a user).
void check_every_argument_kind(Report& report, IDispatch* object, const std::string& label,
                               const std::vector<std::wstring>& skipped);

// The same calls without a line per method: how many of them gave an undefined answer. For
// sending the whole set again and again.
int count_undefined_answers(IDispatch* object, const std::vector<std::wstring>& skipped);

} // namespace wine_checks
