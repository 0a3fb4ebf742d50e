// VARIANTs across the COM boundary as the core's Variant, and the write-back of a
// by-reference argument into the caller's own variable.
#pragma once

#include "automation/variant.h"

#include <oaidl.h>
#include <windows.h>

namespace orbek::com {

// The value a VARIANT holds, read through a by-reference one (VT_BYREF of any scalar, and
// VT_BYREF|VT_VARIANT as scripts pass their variables). Whole numbers without a core type
// become Long when they fit and Double otherwise, a Decimal becomes Double, an object is
// reached through its IDispatch. Arrays, records, null references, chains of references
// and other kinds are error 13.
Variant variant_of(const VARIANT& value);

// The same, for an argument of a call: a text is read where it lies (Variant::borrowed_text),
// so the value must not outlive the call.
Variant argument_of(const VARIANT& value);

// Fills `out`, which holds nothing, with the value in its natural automation type. An object
// that did not come through COM cannot cross back: error 13.
void to_com(const Variant& value, VARIANT* out);

// Replaces what `slot` holds (cleared) with the value; on failure `slot` is left as it was.
void replace_variant(VARIANT* slot, const Variant& value);

// Stores a new value into the variable a by-reference VARIANT points at, in that variable's
// own type: a variant variable takes the value as it is, a typed one (BSTR, I2, I4, ...)
// the value converted to its type with the host language's rules (error 13 or 6 when it
// cannot be). A VARIANT passed by value has no variable behind it and is left alone.
void store_through(const VARIANT& reference, const Variant& value);

// A VT_BYREF|type VARIANT that refers to the caller's `variable` of that type.
VARIANT reference_to(VARTYPE type, void* variable);

// A VARIANT of our own, cleared when it goes out of scope.
class OwnedVariant {
  public:
    OwnedVariant() { VariantInit(&value_); }
    explicit OwnedVariant(const Variant& value) { to_com(value, &value_); }
    ~OwnedVariant() { VariantClear(&value_); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;

    VARIANT* get() { return &value_; }
    const VARIANT& value() const { return value_; }

  private:
    VARIANT value_;
};

} // namespace orbek::com
