#include "dates/date_controls.h"

#include "automation/conversions.h"
#include "automation/vb_error.h"
#include "platform/host_objects.h"

namespace orbek {

void fill_date_controls(const Variant::ObjectRef& form, TextView prefix, TextView date) {
    if (!form) {
        throw VbError(vb::ObjectNotSet);
    }
    const Variant text{Text(date)};
    form->for_each_item_of(u"Controls", [&](const Variant& item) {
        // The loop's variable is an object variable: it takes objects and Nothing only.
        const Variant control_value = convert_to(item, VarType::Object);
        const Variant::ObjectRef& control = control_value.as<Variant::ObjectRef>();
        if (!control) {
            throw VbError(vb::ObjectNotSet);
        }
        const Text name = to_text(control->get_property(u"Name"));
        if (to_upper(left(name, prefix.size())) == prefix) {
            control->put_property(u"Text", text);
        }
    });
}

} // namespace orbek
