#include "platform/posix/in_memory_objects.h"

#include "automation/vb_error.h"

namespace orbek {

InMemoryObject& InMemoryObject::with(TextView name, Variant value) {
    for (auto& [known, held] : properties_) {
        if (equals_ignoring_case(known, name)) {
            held = std::move(value);
            return *this;
        }
    }
    properties_.emplace_back(Text(name), std::move(value));
    return *this;
}

InMemoryObject& InMemoryObject::holding(std::vector<Variant> items) {
    items_ = std::move(items);
    return *this;
}

Variant& InMemoryObject::property(TextView name) {
    for (auto& [known, held] : properties_) {
        if (equals_ignoring_case(known, name)) {
            return held;
        }
    }
    throw VbError(vb::MemberNotFound);
}

Variant InMemoryObject::get_property(TextView name) {
    return property(name);
}

void InMemoryObject::put_property(TextView name, const Variant& value) {
    property(name) = value;
}

std::vector<Variant> InMemoryObject::enumerate() {
    if (!items_) {
        throw VbError(vb::MemberNotFound);
    }
    return *items_;
}

InMemoryForm::InMemoryForm(TextView control_names) : form_(std::make_shared<InMemoryObject>()) {
    std::vector<Variant> items;
    auto add_control = [&](TextView name) {
        auto control = std::make_shared<InMemoryObject>();
        control->with(u"Name", Text(name)).with(u"Text", Text());
        controls_.push_back(control);
        items.emplace_back(Variant::ObjectRef(control));
    };
    if (!control_names.empty()) {
        std::size_t comma;
        while ((comma = control_names.find(u',')) != TextView::npos) {
            add_control(control_names.substr(0, comma));
            control_names.remove_prefix(comma + 1);
        }
        add_control(control_names);
    }
    auto collection = std::make_shared<InMemoryObject>();
    collection->holding(std::move(items));
    form_->with(u"Controls", Variant::ObjectRef(collection));
}

} // namespace orbek
