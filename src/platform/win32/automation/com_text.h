// Texts across the COM boundary: BSTRs in and out as the core's Text.
#pragma once

#include "automation/text.h"

#include <oaidl.h>
#include <string>
#include <windows.h>

namespace orbek::com {

// A null BSTR is the empty text, as automation treats it.
Text text_of(BSTR text);
TextView text_view_of(const wchar_t* text);
std::wstring wide_of(TextView text);

// A new BSTR holding the text; out of memory is error 7.
BSTR make_bstr(TextView text);

// Replaces the BSTR in place, freeing the old one only once the new one is made.
void replace_bstr(BSTR* slot, TextView text);

// A BSTR of our own, freed on every way out of a call.
class OwnedBstr {
  public:
    OwnedBstr() = default;
    explicit OwnedBstr(TextView text) : value_(make_bstr(text)) {}
    ~OwnedBstr() { SysFreeString(value_); }
    OwnedBstr(const OwnedBstr&) = delete;
    OwnedBstr& operator=(const OwnedBstr&) = delete;

    BSTR get() const { return value_; }
    BSTR* slot() { return &value_; } // for [in, out] and [out] parameters
    Text text() const { return text_of(value_); }

  private:
    BSTR value_ = nullptr;
};

} // namespace orbek::com
