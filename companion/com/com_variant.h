// VARIANTs across the COM boundary as the core's Variant, and objects reached through
// IDispatch as the core's AutomationObject.
#pragma once

#include "automation/variant.h"
#include "platform/host_objects.h"

#include <oaidl.h>
#include <windows.h>

namespace orbek::com {

// The value a VARIANT holds, by-reference ones read through. Whole numbers without a core
// type (I1, UI2, UI4, I8, INT, ...) become Long when they fit and Double otherwise; Decimal
// becomes Double. Arrays, records and other kinds are error 13.
Variant variant_from_com(const VARIANT& value);

// Writes the value into `out`, which must be empty (VariantInit'ed or cleared). An object
// that did not come from COM is error 13: it cannot cross the boundary.
void variant_to_com(const Variant& value, VARIANT* out);

// Owns one VARIANT and clears it on every way out of a call.
class VariantHolder {
  public:
    VariantHolder() { VariantInit(&value_); }
    explicit VariantHolder(const Variant& value) { variant_to_com(value, &value_); }
    ~VariantHolder() { VariantClear(&value_); }
    VariantHolder(const VariantHolder&) = delete;
    VariantHolder& operator=(const VariantHolder&) = delete;

    VARIANT* get() { return &value_; }
    const VARIANT& value() const { return value_; }

  private:
    VARIANT value_;
};

// An object reached late-bound through its IDispatch; holds one reference.
class DispatchObject final : public AutomationObject {
  public:
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
    // Invoke that turns every failure into a VbError.
    void invoke(DISPID member, WORD flags, DISPPARAMS& params, VARIANT* result);

    IDispatch* object_;
};

} // namespace orbek::com
