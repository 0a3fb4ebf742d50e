// An object of the host (a form, a control) reached late-bound through its IDispatch, as the
// core reaches host objects: properties by name and the items of a collection.
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

    IDispatch* dispatch() const { return object_; }

  private:
    DISPID member_id(TextView name);
    // Invoke with every failure turned into the error the host's language reports.
    void invoke(DISPID member, WORD flags, DISPPARAMS& params, VARIANT* result);

    IDispatch* object_;
};

} // namespace orbek::com
