// Errors across the COM boundary. A method's error of the host's language leaves as the
// HRESULT 0x800A0000 | number, with the thread's error information (for early-bound callers)
// or an EXCEPINFO (for late-bound ones); a failure of another object comes back in as the
// error number the host's language gives it.
#pragma once

#include "automation/vb_error.h"

#include <new>
#include <oaidl.h>
#include <windows.h>

namespace orbek::com {

// 0x800A0000 | number for the numbers 1 to 65535; 440, automation error, for the rest.
HRESULT hresult_of(const VbError& error);

// Sets the thread's error information (the error's description, `source` and the interface
// `iid` it came through) and returns the error's HRESULT.
HRESULT report_error(const VbError& error, const wchar_t* source, REFIID iid);

// Fills an EXCEPINFO the caller owns: the error's HRESULT as scode, wCode 0, source and
// description.
void fill_excepinfo(EXCEPINFO& info, const VbError& error, const wchar_t* source);

// Fills an EXCEPINFO the caller owns after a method failed with `result`, from the error
// information the method left on the thread; `default_source` and the number's standard
// description stand in for what it left out.
void fill_excepinfo_from_error_info(EXCEPINFO& info, HRESULT result, const wchar_t* default_source);

// The error for a failed HRESULT: the number itself for 0x800A0000 | n, the usual numbers
// for the standard dispatch and OLE failures (DISP_E_TYPEMISMATCH is 13, ...), 440 else.
VbError error_of_failure(HRESULT result);

// The error of another object's failed vtable call: its number, with the description the
// object left in the thread's error information when it left one.
VbError error_of_failed_call(HRESULT result);

// The error of another object's failed Invoke, with the description its EXCEPINFO gives;
// frees the strings EXCEPINFO holds.
VbError error_of_failed_invoke(HRESULT result, EXCEPINFO& info);

// Runs a method body and turns whatever it throws into an HRESULT with error information.
template <typename Body>
HRESULT guarded_call(const wchar_t* source, REFIID iid, Body&& body) noexcept {
    try {
        body();
        return S_OK;
    } catch (const VbError& error) {
        return report_error(error, source, iid);
    } catch (const std::bad_alloc&) {
        return report_error(VbError(vb::OutOfMemory), source, iid);
    } catch (...) {
        return report_error(VbError(vb::InternalError), source, iid);
    }
}

} // namespace orbek::com
