// A registry sandbox for the launcher's keys, and plain readers and writers of
// values that do not go through the code under test.
#pragma once
#include <windows.h>
#include <string>
#include "apptest.h"

// The launcher's keys under HKEY_CURRENT_USER (settings and per-user classes)
// are removed when the sandbox is made and when it ends; the launcher state's
// program path is set to a made-up one.
class RegistrySandbox {
public:
    explicit RegistrySandbox(const char* programPath = "C:\\Orrel Test\\orrel.exe");
    ~RegistrySandbox();
    static void clear();
};

// A value as stored: its type and its bytes read as text; type 0 when missing.
struct StoredValue {
    DWORD type = 0;
    std::string text;
};
StoredValue storedValue(HKEY root, const char* key, const char* name);
void storeValue(HKEY root, const char* key, const char* name, DWORD type, const void* data, DWORD size);
inline void storeText(HKEY root, const char* key, const char* name, const char* text, DWORD type = REG_SZ)
{
    storeValue(root, key, name, type, text, static_cast<DWORD>(strlen(text) + 1));
}
