// The registry records of one server, in one of three states:
//   present - registered machine-wide: every record under HKLM\Software\Classes, pointing
//             at the DLL, apartment-threaded;
//   user    - registered for the current user only: every record under
//             HKCU\Software\Classes and none under HKLM\Software\Classes;
//   absent  - unregistered: no record left anywhere.
// Arguments: the state, the Windows path of the DLL, the class's ProgID.
#include "host_checks.h"
#include "server_identity.h"

#include <cwctype>
#include <string>
#include <vector>
#include <windows.h>

using namespace wine_checks;

namespace {

constexpr wchar_t Classes[] = L"Software\\Classes\\";

struct Hive {
    HKEY root;
    const wchar_t* prefix; // below the root
    const char* name;
};

const Hive Machine{HKEY_LOCAL_MACHINE, Classes, "HKLM\\Software\\Classes"};
const Hive User{HKEY_CURRENT_USER, Classes, "HKCU\\Software\\Classes"};
const Hive Merged{HKEY_CLASSES_ROOT, L"", "HKCR"};

bool key_exists(const Hive& hive, const std::wstring& key) {
    HKEY opened = nullptr;
    const std::wstring path = hive.prefix + key;
    if (RegOpenKeyExW(hive.root, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(opened);
    return true;
}

std::wstring value_of(const Hive& hive, const std::wstring& key, const wchar_t* name) {
    const std::wstring path = hive.prefix + key;
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(hive.root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
        ERROR_SUCCESS) {
        return L"<missing>";
    }
    return buffer;
}

std::vector<std::wstring> subkeys_of(const Hive& hive, const std::wstring& key) {
    std::vector<std::wstring> names;
    HKEY opened = nullptr;
    const std::wstring path = hive.prefix + key;
    if (RegOpenKeyExW(hive.root, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return names;
    }
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(opened, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.push_back(name);
    }
    RegCloseKey(opened);
    return names;
}

std::wstring lower(std::wstring text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

std::vector<std::wstring> owned_keys(const ServerIdentity& identity, const std::wstring& prog_id) {
    std::vector<std::wstring> keys{prog_id, L"TypeLib\\" + identity.library_id};
    for (const std::wstring& id : identity.class_ids) {
        keys.push_back(L"CLSID\\" + id);
    }
    for (const std::wstring& id : identity.interface_ids) {
        keys.push_back(L"Interface\\" + id);
    }
    return keys;
}

// The records that make creation work, checked in one hive.
void check_records(Report& report, const Hive& hive, const ServerIdentity& identity,
                   const std::wstring& prog_id, const std::wstring& dll_path) {
    const std::string where = std::string(" under ") + hive.name;
    const std::wstring class_key = L"CLSID\\" + identity.class_ids.front();
    report.equal(utf8(prog_id) + "\\CLSID" + where, value_of(hive, prog_id + L"\\CLSID", nullptr),
                 identity.class_ids.front());
    report.equal("InprocServer32 names the DLL" + where,
                 lower(value_of(hive, class_key + L"\\InprocServer32", nullptr)), lower(dll_path));
    report.equal("ThreadingModel" + where,
                 value_of(hive, class_key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    report.equal("the class names its ProgID" + where,
                 value_of(hive, class_key + L"\\ProgID", nullptr), prog_id);
    report.equal("the class names its type library" + where,
                 value_of(hive, class_key + L"\\TypeLib", nullptr), identity.library_id);
    for (const std::wstring& id : identity.interface_ids) {
        if (key_exists(hive, L"Interface\\" + id)) {
            report.equal("interface " + utf8(id) + " names its type library" + where,
                         value_of(hive, L"Interface\\" + id + L"\\TypeLib", nullptr),
                         identity.library_id);
        }
    }
    const std::wstring version_key = L"TypeLib\\" + identity.library_id + L"\\" + identity.version;
    const wchar_t* platform = sizeof(void*) == 8 ? L"win64" : L"win32";
    bool points_at_dll = false;
    for (const std::wstring& locale : subkeys_of(hive, version_key)) {
        const std::wstring path =
            value_of(hive, version_key + L"\\" + locale + L"\\" + platform, nullptr);
        points_at_dll = points_at_dll || lower(path) == lower(dll_path);
    }
    report.check("the type library's " + utf8(platform) + " path names the DLL" + where,
                 points_at_dll, "no locale subkey of " + utf8(version_key) + " does");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Report report;
    if (argc < 4) {
        report.check("registry_checks arguments", false,
                     "usage: registry_checks present|user|absent <dll path> <ProgID>");
        return 2;
    }
    const std::wstring state = argv[1];
    const std::wstring dll_path = argv[2];
    const std::wstring prog_id = argv[3];
    const ServerIdentity identity = identity_of(dll_path.c_str());
    const std::string label = utf8(prog_id) + " " + utf8(state) + ": ";
    if (!report.check(label + "the DLL's type library loads", identity.loaded,
                      "LoadTypeLibEx failed") ||
        !report.check(label + "the type library has a class", !identity.class_ids.empty(),
                      "no coclass")) {
        report.done();
        return 0;
    }
    const std::vector<std::wstring> keys = owned_keys(identity, prog_id);
    auto check_keys = [&](const Hive& hive, bool expected) {
        for (const std::wstring& key : keys) {
            report.check(label + utf8(key) + (expected ? " is" : " is not") + " under " + hive.name,
                         key_exists(hive, key) == expected,
                         expected ? "the key is missing" : "the key is still there");
        }
    };
    if (state == L"present") {
        check_keys(Machine, true);
        check_records(report, Machine, identity, prog_id, dll_path);
    } else if (state == L"user") {
        check_keys(User, true);
        check_keys(Machine, false);
        check_records(report, User, identity, prog_id, dll_path);
    } else if (state == L"absent") {
        check_keys(Merged, false);
        check_keys(Machine, false);
        check_keys(User, false);
    } else {
        report.check("registry_checks state", false, "unknown state " + utf8(state));
    }
    report.done();
    return 0;
}
