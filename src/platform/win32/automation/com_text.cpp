#include "platform/win32/automation/com_text.h"

#include "automation/vb_error.h"

#include <cwchar>

namespace orbek::com {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "BSTRs hold UTF-16 code units");

Text text_of(BSTR text) {
    if (text == nullptr) {
        return Text();
    }
    return Text(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

TextView text_view_of(const wchar_t* text) {
    if (text == nullptr) {
        return TextView();
    }
    return TextView(reinterpret_cast<const char16_t*>(text), std::wcslen(text));
}

std::wstring wide_of(TextView text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

BSTR make_bstr(TextView text) {
    BSTR made = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                  static_cast<UINT>(text.size()));
    if (made == nullptr) {
        throw VbError(vb::OutOfMemory);
    }
    return made;
}

void replace_bstr(BSTR* slot, TextView text) {
    BSTR fresh = make_bstr(text);
    SysFreeString(*slot);
    *slot = fresh;
}

} // namespace orbek::com
