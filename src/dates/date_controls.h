// Writing a date into the host form's date boxes: every control whose name starts with a
// prefix.
#pragma once

#include "automation/text.h"
#include "automation/variant.h"

namespace orbek {

// For each control in the form's "Controls", in the collection's order: when the first
// prefix.size() characters of its "Name", in capitals, are `prefix` (already in capitals),
// its "Text" becomes `date`. An empty prefix matches every control. Errors: a form or a
// control that is Nothing 91, an item that is no object 13, a missing "Controls", "Name" or
// (on a matching control) "Text" 438; the controls before a failing one keep their new text.
void fill_date_controls(const Variant::ObjectRef& form, TextView prefix, TextView date);

} // namespace orbek
