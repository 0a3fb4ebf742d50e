// Objects of the host reached late-bound, by member name (a form and its controls).
#pragma once

#include "automation/text.h"
#include "automation/variant.h"
#include "automation/vb_error.h"

#include <functional>
#include <vector>

namespace orbek {

class AutomationObject {
  public:
    using ItemVisitor = std::function<void(const Variant& item)>;

    virtual ~AutomationObject() = default;
    // A missing member is error 438.
    virtual Variant get_property(TextView name) = 0;
    virtual void put_property(TextView name, const Variant& value) = 0;
    // The items of a collection, in its order; an object that is not one is error 438.
    virtual std::vector<Variant> enumerate() = 0;

    // For Each over what the property `name` holds: `visit` sees one item at a time, in the
    // collection's order, and whatever it throws ends the loop there, so the items before a
    // failing one keep what was done to them. Nothing is error 91; a value that is no object
    // error 13. Objects that can hold arrays (COM's) look at the value themselves.
    virtual void for_each_item_of(TextView name, const ItemVisitor& visit) {
        const Variant held = get_property(name);
        if (!held.holds<Variant::ObjectRef>()) {
            throw VbError(vb::TypeMismatch);
        }
        const Variant::ObjectRef& collection = held.as<Variant::ObjectRef>();
        if (!collection) {
            throw VbError(vb::ObjectNotSet);
        }
        for (const Variant& item : collection->enumerate()) {
            visit(item);
        }
    }
};

} // namespace orbek
