// Host objects that live in memory, for hosts without COM: the command line and the tests
// build forms and controls out of them.
#pragma once

#include "automation/text.h"
#include "automation/variant.h"
#include "platform/host_objects.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace orbek {

// An object with the properties it was given (names match in any letter case, as late-bound
// names do) and, when it was given items, a collection of them. Asking for or setting a
// property it lacks is error 438, and so is enumerating an object that holds no items.
class InMemoryObject final : public AutomationObject {
  public:
    // Adds a property, or replaces the value of the one of that name.
    InMemoryObject& with(TextView name, Variant value);
    // Makes the object a collection of these items (possibly none), in this order.
    InMemoryObject& holding(std::vector<Variant> items);

    Variant get_property(TextView name) override;
    void put_property(TextView name, const Variant& value) override;
    std::vector<Variant> enumerate() override;

  private:
    Variant& property(TextView name); // 438 when missing

    std::vector<std::pair<Text, Variant>> properties_;
    std::optional<std::vector<Variant>> items_;
};

// A host form whose "Controls" holds one control for each name given, in that order, each
// with its "Name" and an empty "Text": "TXTFEC1,txtFec2,OTHER" makes three; names are taken
// as they stand between the commas, and an empty description makes a form without controls.
class InMemoryForm {
  public:
    explicit InMemoryForm(TextView control_names);

    // The form as an object argument.
    Variant object() const { return Variant(Variant::ObjectRef(form_)); }
    // The controls, in the collection's order, to read their "Name" and "Text" afterwards.
    const std::vector<std::shared_ptr<InMemoryObject>>& controls() const { return controls_; }

  private:
    std::shared_ptr<InMemoryObject> form_;
    std::vector<std::shared_ptr<InMemoryObject>> controls_;
};

} // namespace orbek
