#include "win32_profile_store.h"

#include <algorithm>
#include <windows.h>

namespace orbek {
namespace {

// The functions take texts ended by code 0: a text holding a code 0 ends there for them.
std::string terminated(std::string_view text) {
    return std::string(text);
}

// The ANSI functions name their file with at most MAX_PATH characters; a longer name names no
// file, so the call finds nothing and writes nothing, as the system would answer. (Handing it
// over anyway can overflow the stack of some implementations.)
bool names_a_file(std::string_view path) {
    return path.size() < MAX_PATH;
}

} // namespace

void Win32ProfileStore::write_string(std::string_view section, std::string_view key,
                                     std::string_view value, std::string_view path) const {
    // The result is not looked at: a write that fails is silent.
    if (!names_a_file(path)) {
        return;
    }
    WritePrivateProfileStringA(terminated(section).c_str(), terminated(key).c_str(),
                               terminated(value).c_str(), terminated(path).c_str());
}

std::uint32_t Win32ProfileStore::read_int(std::string_view section, std::string_view key,
                                          std::int32_t fallback, std::string_view path) const {
    if (!names_a_file(path)) {
        return static_cast<std::uint32_t>(fallback);
    }
    return GetPrivateProfileIntA(terminated(section).c_str(), terminated(key).c_str(), fallback,
                                 terminated(path).c_str());
}

std::string Win32ProfileStore::read_string(std::string_view section, std::string_view key,
                                           std::string_view fallback, std::size_t buffer_size,
                                           std::string_view path) const {
    std::string buffer(buffer_size, '\0');
    if (buffer_size == 0) {
        return buffer;
    }
    if (!names_a_file(path)) {
        buffer.assign(fallback.substr(0, std::min(fallback.find('\0'), buffer_size - 1)));
        return buffer;
    }
    GetPrivateProfileStringA(terminated(section).c_str(), terminated(key).c_str(),
                             terminated(fallback).c_str(), buffer.data(),
                             static_cast<DWORD>(buffer_size), terminated(path).c_str());
    // The count returned is not looked at: the copy ends at its code 0.
    buffer.resize(std::min(buffer.find('\0'), buffer.size()));
    return buffer;
}

} // namespace orbek
