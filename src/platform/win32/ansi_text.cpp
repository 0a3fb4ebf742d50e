#include "platform/win32/ansi_text.h"

#include <algorithm>
#include <windows.h>

namespace orbek {

void append_ansi(std::string& bytes, TextView text) {
    // Every ANSI code page begins with ASCII: plain text needs no conversion.
    if (std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x80; })) {
        bytes.append(text.begin(), text.end());
        return;
    }
    // No code page takes more than three bytes for a unit: one conversion, no count first.
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int units = static_cast<int>(text.size());
    const std::size_t end = bytes.size();
    bytes.resize(end + 3 * text.size());
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, units,
                                         bytes.data() + end, units * 3, "?", nullptr);
    bytes.resize(end + static_cast<std::size_t>(size));
}

std::string to_ansi(TextView text) {
    std::string bytes;
    append_ansi(bytes, text);
    return bytes;
}

Text from_ansi(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    Text text(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()),
                        size);
    return text;
}

} // namespace orbek
