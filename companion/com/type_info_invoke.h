// IDispatch::Invoke for a dual interface, driven by its type information: the arguments a
// client sends (positional or named, by value or by reference, of any type) are checked and
// converted to the declared types, the method is called through the interface's own table of
// methods, and by-reference results are written back into the client's variables in the
// client's types. Unlike the system's ITypeInfo::Invoke it accepts a variable passed as
// VT_BYREF|VT_VARIANT for any by-reference parameter, which is how scripts pass variables.
#pragma once

#include <oaidl.h>
#include <windows.h>

namespace orbek::com {

struct InvokeRequest {
    DISPID member;
    REFIID riid;
    WORD flags;
    DISPPARAMS* params;
    VARIANT* result;
    EXCEPINFO* exception;
    UINT* argument_error;
};

// `self` is the interface whose table `interface_info` (TKIND_INTERFACE) describes.
// A failure of the method itself comes back as DISP_E_EXCEPTION with EXCEPINFO filled from
// the thread's error information (`source` when the method left none).
HRESULT invoke_by_type_info(IUnknown* self, ITypeInfo* interface_info, const InvokeRequest& request,
                            const wchar_t* source);

// The TKIND_INTERFACE side of a dual interface's type information, with a reference the
// caller releases.
HRESULT vtable_type_info(ITypeLib* library, REFIID iid, ITypeInfo** info);

} // namespace orbek::com
