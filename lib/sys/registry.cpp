#include "registry.h"
#include "core/memory.h"
#include "pathparts.h"

namespace {

const int kRegistryTypeId = 97;
const DWORD kTextBuffer = 1000;
// Key and value names in a listing; a longer name ends the listing.
const DWORD kNameBuffer = 256;

cStringA keyPathOf(const char* path) { return withChar(path, '/', '\\'); }

// Reads a value into a kTextBuffer block as text up to its first zero byte. A value
// that fills the block without a zero byte in it is too long and gives false.
bool queryText(HKEY key, const char* name, char* buffer, DWORD& type)
{
    DWORD size = kTextBuffer;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    if (size < kTextBuffer)
        buffer[size] = 0;
    else if (buffer[kTextBuffer - 1] != 0)
        return false;
    return buffer[0] != 0;
}

bool setText(HKEY key, const char* name, const char* text)
{
    if (!text) text = "";
    DWORD size = static_cast<DWORD>(strLen(text)) + 1;
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size) == ERROR_SUCCESS;
}

HKEY createKey(HKEY parent, const char* name)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY openUnder(HKEY parent, const char* name, REGSAM access)
{
    HKEY key = nullptr;
    if (!parent || RegOpenKeyExA(parent, name, 0, access, &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

void closeKey(HKEY key)
{
    if (key) RegCloseKey(key);
}

// An empty name would make the system delete the key it is given itself.
bool isName(const char* name) { return name && name[0]; }

}  // namespace

cRegistry::cRegistry() : root(nullptr), writable(false) { type = kRegistryTypeId; }

cRegistry::~cRegistry() { close(); }

bool cRegistry::open(HKEY rootKey, bool writeAccess)
{
    close();
    writable = writeAccess;
    root = openUnder(rootKey, nullptr, writeAccess ? KEY_ALL_ACCESS : KEY_READ);
    return root != nullptr;
}

void cRegistry::close()
{
    closeKey(root);
    root = nullptr;
}

HKEY cRegistry::openKey(const char* keyPath, REGSAM access) const { return openUnder(root, keyPath, access); }

bool cRegistry::canChange() const { return root && writable; }

bool cRegistry::selectKey(const char* keyPath)
{
    cStringA normal = keyPathOf(keyPath);
    HKEY key = openKey(normal, KEY_READ);
    if (!key) return false;
    closeKey(key);
    path = normal;
    return true;
}

void cRegistry::list(cArrayStr& out, bool keys)
{
    out.removeAll();
    HKEY key = openKey(path, KEY_READ);
    if (!key) return;
    char name[kNameBuffer];
    for (DWORD i = 0;; ++i) {
        DWORD size = kNameBuffer;
        LONG rc = keys ? RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr)
                       : RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) break;
        out.append(name);
    }
    closeKey(key);
}

void cRegistry::getKeyList(cArrayStr& out) { list(out, true); }

void cRegistry::getValueNameList(cArrayStr& out) { list(out, false); }

cStringA cRegistry::readString(const char* name) { return readString(path, name); }

cStringA cRegistry::readString(const char* keyPath, const char* name)
{
    cStringA result;
    HKEY key = openKey(keyPath, KEY_READ);
    char* buffer = static_cast<char*>(ka_malloc(kTextBuffer));
    DWORD type = REG_NONE;
    if (key && buffer && queryText(key, name, buffer, type) && (type == REG_SZ || type == REG_EXPAND_SZ))
        result = buffer;
    ka_free(buffer);
    closeKey(key);
    return result;
}

bool cRegistry::writeString(const char* name, const char* text) { return writeString(path, name, text); }

bool cRegistry::writeString(const char* keyPath, const char* name, const char* text)
{
    if (!canChange()) return false;
    HKEY key = openKey(keyPath, KEY_ALL_ACCESS);
    bool ok = key && setText(key, name, text);
    closeKey(key);
    return ok;
}

unsigned long cRegistry::readInt(const char* name)
{
    HKEY key = openKey(path, KEY_READ);
    if (!key) return 0;
    DWORD value = 0, type = REG_NONE, size = sizeof value;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    closeKey(key);
    return rc == ERROR_SUCCESS && type == REG_DWORD ? value : 0;
}

bool cRegistry::writeInt(const char* name, unsigned long value)
{
    if (!canChange()) return false;
    HKEY key = openKey(path, KEY_ALL_ACCESS);
    DWORD v = value;
    bool ok = key && RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v) ==
                         ERROR_SUCCESS;
    closeKey(key);
    return ok;
}

bool cRegistry::deleteValue(const char* name) { return deleteValue(path, name); }

bool cRegistry::deleteValue(const char* keyPath, const char* name)
{
    if (!canChange()) return false;
    HKEY key = openKey(keyPath, KEY_ALL_ACCESS);
    bool ok = key && RegDeleteValueA(key, name) == ERROR_SUCCESS;
    closeKey(key);
    return ok;
}

bool cRegistry::createSubKey(const char* name)
{
    if (!canChange()) return false;
    cStringA normal = keyPathOf(name);
    HKEY current = openKey(path, KEY_ALL_ACCESS);
    HKEY sub = current ? createKey(current, normal) : nullptr;
    if (sub) path = path.isBlank() ? normal : path + "\\" + normal;
    closeKey(sub);
    closeKey(current);
    return sub != nullptr;
}

bool cRegistry::deleteSubKey(const char* name)
{
    if (!canChange() || !isName(name)) return false;
    HKEY current = openKey(path, KEY_ALL_ACCESS);
    bool ok = current && RegDeleteKeyA(current, keyPathOf(name)) == ERROR_SUCCESS;
    closeKey(current);
    return ok;
}

bool cRegistry::createPath(const char* keyPath)
{
    if (!canChange()) return false;
    HKEY key = createKey(root, keyPathOf(keyPath));
    closeKey(key);
    return key != nullptr;
}

bool cRegistry::deletePath(const char* keyPath)
{
    if (!canChange() || !isName(keyPath)) return false;
    return RegDeleteKeyA(root, keyPathOf(keyPath)) == ERROR_SUCCESS;
}

cStringA registryRead(const char* first, const char* second, const char* name, const char* defaultText)
{
    HKEY outer = openUnder(HKEY_CURRENT_USER, first, KEY_READ);
    HKEY inner = openUnder(outer, second, KEY_READ);
    char* buffer = static_cast<char*>(ka_malloc(kTextBuffer));
    DWORD type = REG_NONE;
    // The type is not looked at: any value reads as the text its bytes spell.
    cStringA result = inner && buffer && queryText(inner, name, buffer, type) ? cStringA(buffer)
                                                                              : cStringA(defaultText);
    ka_free(buffer);
    closeKey(inner);
    closeKey(outer);
    return result;
}

void registryWrite(const char* first, const char* second, const char* name, const char* text)
{
    HKEY outer = createKey(HKEY_CURRENT_USER, first);
    HKEY inner = outer ? createKey(outer, second) : nullptr;
    if (inner) setText(inner, name, text);
    closeKey(inner);
    closeKey(outer);
}
