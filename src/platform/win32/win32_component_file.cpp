#include "win32_component_file.h"

#include "automation/vb_error.h"

#include <windows.h>

// The linker's symbol at the start of the image this code is part of: its module handle.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace orbek {

Text Win32ComponentFile::path() const {
    const auto module = reinterpret_cast<HMODULE>(&__ImageBase);
    Text path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, reinterpret_cast<wchar_t*>(path.data()),
                                                static_cast<DWORD>(path.size()));
        if (length == 0) {
            throw VbError(vb::PathFileAccessError);
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2); // cut short: try a larger buffer
    }
}

} // namespace orbek
