// One server's registration as regsvr32 left it, and its use without any registration:
//   registration_checks MODE DLL PROGID (a Windows path), MODE one of
//   present       every record under HKLM\Software\Classes, and the version record
//   marked        the same, then marks of another program added under our keys
//   unregistered  nothing of ours anywhere but those marks, which are then removed
//   user          every record under HKCU\Software\Classes and nothing under HKLM
//   absent        nothing of ours anywhere
//   activation    creation and a call through activation contexts made from the manifest
//                 beside the DLL and from the DLL's own, while the class is not registered
#include "host_checks.h"
#include "shell/orbek_interface.h"
#include "sys_tools_interface.h"

#include <cwchar>
#include <windows.h>

using namespace wine_checks;

namespace {

struct Server {
    const orbek::InterfaceDecl& declared;
    std::vector<const wchar_t*> call; // a method and its arguments, then the result
    bool own_manifest;                // the manifest also inside the DLL, as resource 2
    std::wstring version_record;      // "name=value;" of the entries checked
};

const Server Servers[] = {
    {orbek::OrbekDllInterface,
     {L"Hrs2Seg", L"01:30:15", L"5415"},
     true,
     L"CompanyName=Kalvix Sistemas;FileDescription=Librerias varias para Tesmara, versi\u00f3n "
     L"II.;FileVersion=1.00;OriginalFilename=Orbek_DLL.dll;ProductName=Orbek Dll;"
     L"OLESelfRegister=;"},
    {orbek::SysToolsInterface,
     {L"PadText", L"7", L"2", L"07"},
     false,
     L"CompanyName=Mirelda;FileDescription=MireldaSys system tools;FileVersion=1.00;"
     L"OriginalFilename=MireldaSys.dll;OLESelfRegister=;"},
};

std::wstring prog_id_of(const Server& server) {
    return wide(server.declared.library_name) + L"." + wide(server.declared.class_name);
}

// The classes root of HKLM, of HKCU, or HKCR itself (the two merged).
struct Hive {
    HKEY root;
    const wchar_t* prefix;
    const char* name;
};
const Hive Machine{HKEY_LOCAL_MACHINE, L"Software\\Classes\\", "HKLM\\Software\\Classes"};
const Hive User{HKEY_CURRENT_USER, L"Software\\Classes\\", "HKCU\\Software\\Classes"};
const Hive Merged{HKEY_CLASSES_ROOT, L"", "HKCR"};

std::wstring value_of(const Hive& hive, const std::wstring& key, const wchar_t* name = nullptr) {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer;
    return RegGetValueW(hive.root, (hive.prefix + key).c_str(), name, RRF_RT_REG_SZ, nullptr,
                        buffer, &size) == ERROR_SUCCESS
               ? buffer
               : L"<missing>";
}

bool key_exists(const Hive& hive, const std::wstring& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(hive.root, (hive.prefix + key).c_str(), 0, KEY_READ, &opened) != 0) {
        return false;
    }
    RegCloseKey(opened);
    return true;
}

struct Keys {
    std::wstring prog_id, class_key, interface_key, library_key, platform_key, mark_key;
};

Keys keys_of(const Server& server) {
    wchar_t locale[16];
    std::swprintf(locale, 16, L"%lx", static_cast<unsigned long>(server.declared.locale));
    const std::wstring library = L"TypeLib\\" + braced(server.declared.library_id);
    const std::wstring in_locale = library + L"\\1.0\\" + locale;
    return {prog_id_of(server),
            L"CLSID\\" + braced(server.declared.class_id),
            L"Interface\\" + braced(server.declared.interface_id),
            library,
            in_locale + L"\\win64",
            in_locale + L"\\win32"};
}

// The records COM, the automation marshaller and LoadRegTypeLib read, in one hive.
void check_records(Report& report, const Hive& hive, const Keys& keys, const Server& server,
                   std::wstring dll) {
    CharLowerW(dll.data());
    const std::wstring library_id = braced(server.declared.library_id);
    const struct {
        std::wstring key;
        const wchar_t* name;
        std::wstring expected;
    } values[] = {
        {keys.prog_id + L"\\CLSID", nullptr, braced(server.declared.class_id)},
        {keys.class_key + L"\\InprocServer32", nullptr, dll},
        {keys.class_key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {keys.class_key + L"\\ProgID", nullptr, keys.prog_id},
        {keys.class_key + L"\\TypeLib", nullptr, library_id},
        {keys.interface_key + L"\\ProxyStubClsid32", nullptr,
         L"{00020424-0000-0000-C000-000000000046}"},
        {keys.interface_key + L"\\TypeLib", nullptr, library_id},
        {keys.platform_key, nullptr, dll},
    };
    for (const auto& value : values) {
        std::wstring actual = value_of(hive, value.key, value.name);
        if (value.expected == dll) {
            CharLowerW(actual.data());
        }
        report.equal(utf8(value.key + L"[" + (value.name ? value.name : L"") + L"] under ") +
                         hive.name,
                     actual, value.expected);
    }
}

// `keys` are ours alone: none of them may be in the hive.
void check_none(Report& report, const Hive& hive, const std::vector<std::wstring>& keys) {
    for (const std::wstring& key : keys)
        report.check(utf8(key) + " is not under " + hive.name, !key_exists(hive, key),
                     "still there");
}

std::wstring version_record(const std::wstring& dll, const std::wstring& wanted) {
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(dll.c_str(), &ignored));
    GetFileVersionInfoW(dll.c_str(), 0, static_cast<DWORD>(block.size()), block.data());
    std::wstring record;
    for (std::size_t at = 0; at < wanted.size(); at = wanted.find(L';', at) + 1) {
        const std::wstring name = wanted.substr(at, wanted.find(L'=', at) - at);
        wchar_t* value = nullptr;
        UINT length = 0;
        if (VerQueryValueW(block.data(), (L"\\StringFileInfo\\040904B0\\" + name).c_str(),
                           reinterpret_cast<void**>(&value), &length)) {
            record += name + L"=" + (value ? value : L"") + L";";
        }
    }
    return record;
}

void check_activation(Report& report, const Server& server, const std::wstring& manifest) {
    const std::string label = utf8(prog_id_of(server)) + " without registration: ";
    IDispatch* registered = create_by_prog_id(prog_id_of(server).c_str());
    report.check(label + "no creation outside an activation context", registered == nullptr,
                 "the class is still registered");
    const std::wstring dll = manifest.substr(0, manifest.size() - 8) + L"dll";
    ACTCTXW from_file{};
    from_file.cbSize = sizeof from_file;
    from_file.lpSource = manifest.c_str();
    ACTCTXW from_dll = from_file;
    from_dll.lpSource = dll.c_str();
    from_dll.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    from_dll.lpResourceName = MAKEINTRESOURCEW(2);
    for (const ACTCTXW* context : {&from_file, server.own_manifest ? &from_dll : nullptr}) {
        const std::string name = label + (context == &from_file ? "the manifest file" : "its own");
        HANDLE activation = context ? CreateActCtxW(context) : INVALID_HANDLE_VALUE;
        ULONG_PTR cookie = 0;
        if (context == nullptr ||
            !report.check(name,
                          activation != INVALID_HANDLE_VALUE && ActivateActCtx(activation, &cookie),
                          "error " + std::to_string(GetLastError()))) {
            continue;
        }
        HRESULT created = E_FAIL;
        IDispatch* object = create_by_prog_id(prog_id_of(server).c_str(), &created);
        if (report.hresult(name + ": creation by ProgID", created, S_OK)) {
            const std::vector<Value> values(server.call.begin() + 1, server.call.end() - 1);
            const CallResult answer = call(object, server.call.front(), variants(values));
            report.equal(name + ": a call", answer.value.text(), server.call.back());
            object->Release();
        }
        DeactivateActCtx(0, cookie);
        ReleaseActCtx(activation);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Report report;
    const Server* server = nullptr;
    for (const Server& each : Servers) {
        server = argc == 4 && prog_id_of(each) == argv[3] ? &each : server;
    }
    if (server == nullptr) {
        report.check("usage: registration_checks MODE PATH PROGID", false);
        return 2;
    }
    Apartment apartment;
    const std::wstring mode = argv[1];
    const std::wstring path = argv[2];
    const Keys keys = keys_of(*server);
    const std::vector<std::wstring> all_keys{keys.prog_id, keys.class_key, keys.interface_key,
                                             keys.library_key};
    if (mode == L"present" || mode == L"marked") {
        check_records(report, Machine, keys, *server, path);
        report.equal(utf8(keys.prog_id) + ": version record",
                     version_record(path, server->version_record), server->version_record);
    }
    if (mode == L"marked") {
        const wchar_t mark[] = L"C:\\x86\\other.dll";
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, (Machine.prefix + keys.class_key).c_str(), L"AppID",
                        REG_SZ, mark, sizeof mark);
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, (Machine.prefix + keys.mark_key).c_str(), nullptr,
                        REG_SZ, mark, sizeof mark);
    } else if (mode == L"unregistered") {
        check_none(report, Machine,
                   {keys.prog_id, keys.class_key + L"\\InprocServer32", keys.interface_key,
                    keys.platform_key});
        report.check(utf8(keys.prog_id) + ": what another program added under our keys stays",
                     value_of(Machine, keys.class_key, L"AppID") != L"<missing>" &&
                         key_exists(Machine, keys.mark_key),
                     "it was removed");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, (Machine.prefix + keys.class_key).c_str());
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, (Machine.prefix + keys.library_key).c_str());
    } else if (mode == L"user") {
        check_records(report, User, keys, *server, path);
    } else if (mode == L"activation") {
        check_activation(report, *server, path);
    }
    for (const Hive* hive : {&Machine, &User, &Merged}) {
        if (mode == L"unregistered" || mode == L"absent" || (mode == L"user" && hive == &Machine))
            check_none(report, *hive, all_keys);
    }
    report.done();
    return 0;
}
