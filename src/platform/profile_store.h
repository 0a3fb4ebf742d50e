// The three private-profile operations on INI files, with 8-bit texts as the platform's
// ANSI functions take them: a file is read and written one key per call, nothing is cached.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orbek {

class ProfileStore {
  public:
    virtual ~ProfileStore() = default;

    // Stores the key with the value, creating the file and the section when missing. A
    // failure (missing folder, read-only file) is silent: the caller never learns of it.
    virtual void write_string(std::string_view section, std::string_view key,
                              std::string_view value, std::string_view path) const = 0;

    // The key's value read as a number, or `fallback` when the file, section or key is
    // missing; the 32 bits come back as the platform gives them (unsigned).
    virtual std::uint32_t read_int(std::string_view section, std::string_view key,
                                   std::int32_t fallback, std::string_view path) const = 0;

    // The key's value, or `fallback` less its trailing spaces (never its first character)
    // when the file, section or key is missing; at most buffer_size - 1 characters.
    virtual std::string read_string(std::string_view section, std::string_view key,
                                    std::string_view fallback, std::size_t buffer_size,
                                    std::string_view path) const = 0;
};

} // namespace orbek
