// Objects of the host reached late-bound, by member name (a form and its controls).
#pragma once

#include "automation/text.h"
#include "automation/variant.h"

#include <vector>

namespace orbek {

class AutomationObject {
  public:
    virtual ~AutomationObject() = default;
    // A missing member is error 438.
    virtual Variant get_property(TextView name) = 0;
    virtual void put_property(TextView name, const Variant& value) = 0;
    // The items of a collection, in its order; an object that is not one is error 438.
    virtual std::vector<Variant> enumerate() = 0;
};

} // namespace orbek
