// Texts across the COM boundary: BSTRs in and out.
#pragma once

#include "automation/text.h"

#include <ole2.h>
#include <string>
#include <windows.h>

namespace orbek::com {

// A null BSTR is the empty text, as automation treats it.
Text text_of(BSTR value);
std::wstring wide_of(TextView text);
TextView text_view_of(const wchar_t* text);

// A new BSTR holding the text; out of memory is error 7.
BSTR make_bstr(TextView text);

// Replaces the BSTR in place, freeing the old one.
void replace_bstr(BSTR* slot, TextView text);

} // namespace orbek::com
