// The registry: a small key browser over one root key, and two one-call helpers
// for a text value two levels below the current user's key. Only texts and
// 32-bit numbers are handled; failures show only in the results, never as messages.
#pragma once
#include <windows.h>
#include "core/arraystr.h"
#include "core/stringa.h"

#pragma pack(push, 1)

// Holds its own handle on the root key. The handle is closed once, by the owner,
// so a cRegistry cannot be copied.
class KA_API cRegistry : public cVar {
public:
    cRegistry();
    cRegistry(const cRegistry&) = delete;
    cRegistry& operator=(const cRegistry&) = delete;
    ~cRegistry();

    bool open(HKEY root, bool writable);
    void close();
    // Key paths may use '/' between key names.
    bool selectKey(const char* path);
    void getKeyList(cArrayStr& out);
    void getValueNameList(cArrayStr& out);

    cStringA readString(const char* name);
    // keyPath is below the root, not below the current key.
    cStringA readString(const char* keyPath, const char* name);
    bool writeString(const char* name, const char* text);
    bool writeString(const char* keyPath, const char* name, const char* text);
    unsigned long readInt(const char* name);
    bool writeInt(const char* name, unsigned long value);
    bool deleteValue(const char* name);
    bool deleteValue(const char* keyPath, const char* name);

    // Creates (or opens) a sub-key of the current key and makes it current.
    bool createSubKey(const char* name);
    // Only a key without sub-keys can be deleted.
    bool deleteSubKey(const char* name);
    bool createPath(const char* path);
    bool deletePath(const char* path);

private:
    HKEY openKey(const char* keyPath, REGSAM access) const;
    bool canChange() const;
    void list(cArrayStr& out, bool keys);

    HKEY root;
    bool writable;
    cStringA path;
};

#pragma pack(pop)

KA_API cStringA registryRead(const char* first, const char* second, const char* name, const char* defaultText);
KA_API void registryWrite(const char* first, const char* second, const char* name, const char* text);
