#include "win32_ansi_code_page.h"

#include <windows.h>

namespace orbek {

std::string Win32AnsiCodePage::encode(TextView text) const {
    if (text.empty()) {
        return std::string();
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int units = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, units, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

Text Win32AnsiCodePage::decode(std::string_view bytes) const {
    if (bytes.empty()) {
        return Text();
    }
    const int count = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), count, nullptr, 0);
    Text text(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), count, reinterpret_cast<wchar_t*>(text.data()),
                        size);
    return text;
}

} // namespace orbek
