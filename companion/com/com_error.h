// Errors across the COM boundary: a VbError leaves a method as the HRESULT 0x800A0000 | number
// with an IErrorInfo, and a failed HRESULT from another object comes back in as a VbError.
#pragma once

#include "automation/vb_error.h"

#include <new>
#include <oaidl.h>
#include <windows.h>

namespace orbek::com {

// The error with its standard description, including the numbers that only the COM boundary
// produces (7, 429, 440 and the like).
VbError vb_error_of_number(int number);

// The HRESULT that carries an error number of the host's language (FACILITY_CONTROL).
HRESULT hresult_of_error_number(int number);

// Sets the thread's error information (source, description, interface) and returns the
// error's HRESULT.
HRESULT report_vb_error(const VbError& error, const wchar_t* source, REFIID iid);

// The error number a failed HRESULT stands for: the number itself for 0x800A0000 | n, the
// usual numbers for the standard dispatch and OLE failures, and 440 (automation error) for
// the rest.
int error_number_of_hresult(HRESULT result);

// The VbError for a failed call: the description comes from the thread's error information
// when the failing object left one, else the standard description of the number.
VbError vb_error_from_failed_call(HRESULT result);

// The VbError for a DISP_E_EXCEPTION answer of IDispatch::Invoke.
VbError vb_error_from_excepinfo(const EXCEPINFO& info);

// Fills EXCEPINFO from the thread's error information after a method failed with `result`.
void fill_excepinfo(EXCEPINFO* info, HRESULT result, const wchar_t* default_source);

// Runs a method body and turns whatever it throws into an HRESULT with error information.
template <typename Body>
HRESULT guarded_call(const wchar_t* source, REFIID iid, Body&& body) noexcept {
    try {
        body();
        return S_OK;
    } catch (const VbError& error) {
        return report_vb_error(error, source, iid);
    } catch (const std::bad_alloc&) {
        return report_vb_error(vb_error_of_number(7), source, iid);
    } catch (...) {
        return report_vb_error(vb_error_of_number(51), source, iid);
    }
}

} // namespace orbek::com
