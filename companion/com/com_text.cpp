#include "com_text.h"

#include "automation/vb_error.h"

#include <cwchar>

namespace orbek::com {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "BSTRs hold UTF-16 code units");

Text text_of(BSTR value) {
    if (value == nullptr) {
        return {};
    }
    return Text(reinterpret_cast<const char16_t*>(value), SysStringLen(value));
}

std::wstring wide_of(TextView text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

TextView text_view_of(const wchar_t* text) {
    if (text == nullptr) {
        return {};
    }
    return TextView(reinterpret_cast<const char16_t*>(text), std::wcslen(text));
}

BSTR make_bstr(TextView text) {
    BSTR result =
        SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), UINT(text.size()));
    if (result == nullptr) {
        throw VbError(7, "Out of memory");
    }
    return result;
}

void replace_bstr(BSTR* slot, TextView text) {
    BSTR fresh = make_bstr(text);
    SysFreeString(*slot);
    *slot = fresh;
}

} // namespace orbek::com
