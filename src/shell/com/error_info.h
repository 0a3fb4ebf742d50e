// Errors across the COM boundary. A method's error of the host's language leaves as the
// HRESULT 0x800A0000 | number, with the thread's error information (for early-bound
// callers) or an EXCEPINFO (for late-bound ones); a failure of another object comes back in
// as the error number the host's language gives it.
#pragma once

#include "automation/vb_error.h"

#include <oaidl.h>
#include <windows.h>

namespace orbek::server {

// The source every error of the component names.
inline constexpr wchar_t ErrorSource[] = L"Orbek_DLL";

// An error number with its standard description, the numbers that only the COM boundary
// produces (7 out of memory, 51 internal error, 440 automation error, ...) included.
VbError error_of_number(int number);

// 0x800A0000 | number for the numbers 1 to 65535; 440, automation error, for the rest.
HRESULT hresult_of(const VbError& error);

// Sets the thread's error information (source, description, _OrbekDLL's IID) and returns
// the error's HRESULT.
HRESULT report_error(const VbError& error);

// Fills an EXCEPINFO the caller owns: that HRESULT as scode, wCode 0, source, description.
void fill_excepinfo(EXCEPINFO& info, const VbError& error);

// The error for a failed HRESULT: the number itself for 0x800A0000 | n, the usual numbers
// for the standard dispatch and OLE failures (DISP_E_TYPEMISMATCH is 13, ...), 440 else.
VbError error_of_failure(HRESULT result);

// The error of another object's failed Invoke, with the description its EXCEPINFO gives;
// frees the strings EXCEPINFO holds.
VbError error_of_failed_invoke(HRESULT result, EXCEPINFO& info);

} // namespace orbek::server
