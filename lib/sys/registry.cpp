#include "registry.h"
#include "core/handle.h"
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

UniqueRegKey createKey(HKEY parent, const char* name)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return UniqueRegKey();
    return UniqueRegKey(key);
}

UniqueRegKey openUnder(HKEY parent, const char* name, REGSAM access)
{
    HKEY key = nullptr;
    if (!parent || RegOpenKeyExA(parent, name, 0, access, &key) != ERROR_SUCCESS) return UniqueRegKey();
    return UniqueRegKey(key);
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
    // The member stays a plain key: the class layout is fixed for modules.
    root = openUnder(rootKey, nullptr, writeAccess ? KEY_ALL_ACCESS : KEY_READ).release();
    return root != nullptr;
}

void cRegistry::close()
{
    UniqueRegKey closing(root);
    root = nullptr;
}

HKEY cRegistry::openKey(const char* keyPath, REGSAM access) const
{
    return openUnder(root, keyPath, access).release();
}

bool cRegistry::canChange() const { return root && writable; }

bool cRegistry::selectKey(const char* keyPath)
{
    cStringA normal = keyPathOf(keyPath);
    if (!UniqueRegKey(openKey(normal, KEY_READ))) return false;
    path = normal;
    return true;
}

void cRegistry::list(cArrayStr& out, bool keys)
{
    out.removeAll();
    UniqueRegKey key(openKey(path, KEY_READ));
    if (!key) return;
    char name[kNameBuffer];
    for (DWORD i = 0;; ++i) {
        DWORD size = kNameBuffer;
        LONG rc = keys ? RegEnumKeyExA(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr)
                       : RegEnumValueA(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) break;
        out.append(name);
    }
}

void cRegistry::getKeyList(cArrayStr& out) { list(out, true); }

void cRegistry::getValueNameList(cArrayStr& out) { list(out, false); }

cStringA cRegistry::readString(const char* name) { return readString(path, name); }

cStringA cRegistry::readString(const char* keyPath, const char* name)
{
    cStringA result;
    UniqueRegKey key(openKey(keyPath, KEY_READ));
    char* buffer = static_cast<char*>(ka_malloc(kTextBuffer));
    DWORD type = REG_NONE;
    if (key && buffer && queryText(key.get(), name, buffer, type) && (type == REG_SZ || type == REG_EXPAND_SZ))
        result = buffer;
    ka_free(buffer);
    return result;
}

bool cRegistry::writeString(const char* name, const char* text) { return writeString(path, name, text); }

bool cRegistry::writeString(const char* keyPath, const char* name, const char* text)
{
    if (!canChange()) return false;
    UniqueRegKey key(openKey(keyPath, KEY_ALL_ACCESS));
    return key && setText(key.get(), name, text);
}

unsigned long cRegistry::readInt(const char* name)
{
    UniqueRegKey key(openKey(path, KEY_READ));
    if (!key) return 0;
    DWORD value = 0, type = REG_NONE, size = sizeof value;
    LONG rc = RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    return rc == ERROR_SUCCESS && type == REG_DWORD ? value : 0;
}

bool cRegistry::writeInt(const char* name, unsigned long value)
{
    if (!canChange()) return false;
    UniqueRegKey key(openKey(path, KEY_ALL_ACCESS));
    DWORD v = value;
    return key && RegSetValueExA(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v) ==
                      ERROR_SUCCESS;
}

bool cRegistry::deleteValue(const char* name) { return deleteValue(path, name); }

bool cRegistry::deleteValue(const char* keyPath, const char* name)
{
    if (!canChange()) return false;
    UniqueRegKey key(openKey(keyPath, KEY_ALL_ACCESS));
    return key && RegDeleteValueA(key.get(), name) == ERROR_SUCCESS;
}

bool cRegistry::createSubKey(const char* name)
{
    if (!canChange()) return false;
    cStringA normal = keyPathOf(name);
    UniqueRegKey current(openKey(path, KEY_ALL_ACCESS));
    UniqueRegKey sub = current ? createKey(current.get(), normal) : UniqueRegKey();
    if (sub) path = path.isBlank() ? normal : path + "\\" + normal;
    return static_cast<bool>(sub);
}

bool cRegistry::deleteSubKey(const char* name)
{
    if (!canChange() || !isName(name)) return false;
    UniqueRegKey current(openKey(path, KEY_ALL_ACCESS));
    return current && RegDeleteKeyA(current.get(), keyPathOf(name)) == ERROR_SUCCESS;
}

bool cRegistry::createPath(const char* keyPath)
{
    if (!canChange()) return false;
    return static_cast<bool>(createKey(root, keyPathOf(keyPath)));
}

bool cRegistry::deletePath(const char* keyPath)
{
    if (!canChange() || !isName(keyPath)) return false;
    return RegDeleteKeyA(root, keyPathOf(keyPath)) == ERROR_SUCCESS;
}

cStringA registryRead(const char* first, const char* second, const char* name, const char* defaultText)
{
    UniqueRegKey outer = openUnder(HKEY_CURRENT_USER, first, KEY_READ);
    UniqueRegKey inner = openUnder(outer.get(), second, KEY_READ);
    char* buffer = static_cast<char*>(ka_malloc(kTextBuffer));
    DWORD type = REG_NONE;
    // The type is not looked at: any value reads as the text its bytes spell.
    cStringA result = inner && buffer && queryText(inner.get(), name, buffer, type) ? cStringA(buffer)
                                                                                    : cStringA(defaultText);
    ka_free(buffer);
    return result;
}

void registryWrite(const char* first, const char* second, const char* name, const char* text)
{
    UniqueRegKey outer = createKey(HKEY_CURRENT_USER, first);
    UniqueRegKey inner = outer ? createKey(outer.get(), second) : UniqueRegKey();
    if (inner) setText(inner.get(), name, text);
}
