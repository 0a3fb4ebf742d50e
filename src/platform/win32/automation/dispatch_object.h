// An object of the host (a form, a control) reached late-bound through its IDispatch, as the
// core reaches host objects: properties by name and the items of a collection. A collection
// is walked as the host's language walks one with For Each: through its _NewEnum
// enumerator, or, for objects without one, through Count and Item(0) to Item(Count - 1).
#pragma once

#include "platform/host_objects.h"

#include <oaidl.h>
#include <windows.h>

namespace orbek::com {

class DispatchObject final : public AutomationObject {
  public:
    // Takes a reference of its own.
    explicit DispatchObject(IDispatch* object);
    ~DispatchObject() override;
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    Variant get_property(TextView name) override;
    void put_property(TextView name, const Variant& value) override;
    std::vector<Variant> enumerate() override;
    // Also walks an array the property holds (a script's array of objects, directly or by
    // reference), element by element in storage order.
    void for_each_item_of(TextView name, const ItemVisitor& visit) override;

    IDispatch* dispatch() const { return object_; }

  private:
    DISPID member_id(TextView name);
    // Invoke with every failure turned into the error the host's language reports.
    void invoke(DISPID member, WORD flags, DISPPARAMS& params, VARIANT* result);
    void visit_collection(const ItemVisitor& visit);
    void visit_enumerator(IUnknown* enumerator_object, const ItemVisitor& visit);
    void visit_by_index(const ItemVisitor& visit);

    IDispatch* object_;
};

} // namespace orbek::com
