#include "regsandbox.h"
#include "state.h"

namespace {

const char* const kLauncherKeys[] = {"Software\\Kestrine", "Software\\Classes\\.orp",
                                     "Software\\Classes\\Kestrine.orp"};

}  // namespace

RegistrySandbox::RegistrySandbox(const char* programPath)
{
    clear();
    strCopyN(theLauncher.programPath, programPath, sizeof theLauncher.programPath - 1);
}

RegistrySandbox::~RegistrySandbox() { clear(); }

void RegistrySandbox::clear()
{
    for (const char* key : kLauncherKeys) RegDeleteTreeA(HKEY_CURRENT_USER, key);
}

StoredValue storedValue(HKEY root, const char* key, const char* name)
{
    StoredValue value;
    char data[2048] = "";
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    HKEY k;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &k) != ERROR_SUCCESS) return value;
    if (RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS) {
        value.type = type;
        value.text.assign(data, strnlen(data, size));
    }
    RegCloseKey(k);
    return value;
}

void storeValue(HKEY root, const char* key, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY k;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) != ERROR_SUCCESS) return;
    RegSetValueExA(k, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(k);
}
