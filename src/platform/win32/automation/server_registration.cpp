#include "server_registration.h"

#include <objbase.h>

namespace orbek::com {
namespace {

constexpr wchar_t ClassesPath[] = L"Software\\Classes";

HKEY hive_of(RegistrationScope scope) {
    return scope == RegistrationScope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

class OpenKey {
  public:
    OpenKey() = default;
    ~OpenKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

LSTATUS write_key(HKEY root, const RegistryKey& record) {
    OpenKey key;
    LSTATUS status = RegCreateKeyExW(root, record.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_WRITE, nullptr, key.out(), nullptr);
    for (const RegistryValue& value : record.values) {
        if (status != ERROR_SUCCESS) {
            break;
        }
        const DWORD bytes = static_cast<DWORD>((value.data.size() + 1) * sizeof(wchar_t));
        status = RegSetValueExW(key.get(), value.name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(value.data.c_str()), bytes);
    }
    return status;
}

bool is_empty_key(HKEY key) {
    DWORD subkeys = 0;
    DWORD values = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return subkeys == 0 && values == 0;
}

LSTATUS remove_key(HKEY root, const RegistryKey& record) {
    bool empty = false;
    {
        OpenKey key;
        LSTATUS status =
            RegOpenKeyExW(root, record.path.c_str(), 0, KEY_READ | KEY_WRITE, key.out());
        if (status == ERROR_FILE_NOT_FOUND) {
            return ERROR_SUCCESS;
        }
        if (status != ERROR_SUCCESS) {
            return status;
        }
        for (const RegistryValue& value : record.values) {
            status = RegDeleteValueW(key.get(), value.name.c_str());
            if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
                return status;
            }
        }
        empty = is_empty_key(key.get());
    }
    if (!empty) {
        return ERROR_SUCCESS;
    }
    const LSTATUS status = RegDeleteKeyW(root, record.path.c_str());
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

// Later records are subkeys of earlier ones: remove from the end, so that a parent is looked
// at only once its subkeys are gone. Every record is tried; the first failure is reported.
LSTATUS remove_records(HKEY root, const std::vector<RegistryKey>& records) {
    LSTATUS first_failure = ERROR_SUCCESS;
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        const LSTATUS status = remove_key(root, *record);
        if (first_failure == ERROR_SUCCESS) {
            first_failure = status;
        }
    }
    return first_failure;
}

} // namespace

std::wstring text_of_guid(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring folder_of(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

HRESULT write_registry_keys(const std::vector<RegistryKey>& records, RegistrationScope scope) {
    OpenKey classes;
    const LSTATUS opened =
        RegCreateKeyExW(hive_of(scope), ClassesPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, classes.out(), nullptr);
    if (opened != ERROR_SUCCESS) {
        return HRESULT_FROM_WIN32(opened);
    }
    for (const RegistryKey& record : records) {
        const LSTATUS status = write_key(classes.get(), record);
        if (status != ERROR_SUCCESS) {
            remove_records(classes.get(), records);
            return HRESULT_FROM_WIN32(status);
        }
    }
    return S_OK;
}

HRESULT remove_registry_keys(const std::vector<RegistryKey>& records, RegistrationScope scope) {
    OpenKey classes;
    // No classes root in this scope: nothing of ours can be there, and unregistering must not
    // create it.
    const LSTATUS opened =
        RegOpenKeyExW(hive_of(scope), ClassesPath, 0, KEY_READ | KEY_WRITE, classes.out());
    if (opened == ERROR_FILE_NOT_FOUND) {
        return S_OK;
    }
    if (opened != ERROR_SUCCESS) {
        return HRESULT_FROM_WIN32(opened);
    }
    return HRESULT_FROM_WIN32(remove_records(classes.get(), records));
}

RegistrationScope scope_of_install_command(const wchar_t* command) {
    return command != nullptr && lstrcmpiW(command, L"user") == 0 ? RegistrationScope::User
                                                                  : RegistrationScope::Machine;
}

} // namespace orbek::com
