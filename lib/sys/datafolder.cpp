#include "datafolder.h"
#include <windows.h>
#include <shlobj.h>
#include <knownfolders.h>
#include "core/arraytag.h"
#include "core/cstr.h"
#include "core/handle.h"
#include "sysinfo.h"

namespace {

// One byte more than a MAX_PATH text and its backslash need, as the record has always had.
const int kRecordField = 264;

struct FolderRecord {
    char temp[kRecordField];
    char cache[kRecordField];
    char cacheTable[kRecordField];
    char shortcut[kRecordField];
    char extensions[kRecordField];
    char viewer[kRecordField];
};

FolderRecord record;  // zero-filled at start

bool recordPath(char* field, const char* path)
{
    field[0] = 0;
    if (strLen(path) >= MAX_PATH) return false;
    strCopy(field, path);
    return true;
}

typedef HRESULT(WINAPI* KnownFolderPathFn)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);

bool knownFolderRoot(char* out)
{
    UniqueModule shell(LoadLibraryA("shell32.dll"));
    FARPROC proc = shell ? GetProcAddress(shell.get(), "SHGetKnownFolderPath") : nullptr;
    if (!proc) {
        MessageBoxA(nullptr, "Fail to LoadLibrary :: SHGetKnownFolderPath", "", MB_OK);
        return false;
    }
    KnownFolderPathFn getPath = reinterpret_cast<KnownFolderPathFn>(reinterpret_cast<void*>(proc));
    PWSTR wide = nullptr;
    bool ok = false;
    if (SUCCEEDED(getPath(FOLDERID_LocalAppDataLow, 0, nullptr, &wide))) {
        // Room for the backslash appended afterwards.
        int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, out, MAX_PATH - 1, nullptr, nullptr);
        if (n <= 0)
            MessageBoxA(nullptr, "Fail To WideCharToMultiByte", "ERROR", MB_OK);
        else
            ok = true;
    }
    CoTaskMemFree(wide);
    return ok;
}

bool folderPathRoot(char* out)
{
    char buf[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, buf)))
        return false;
    // Room for the backslash appended afterwards.
    if (strLen(buf) >= MAX_PATH - 1) return false;
    strCopy(out, buf);
    return true;
}

}  // namespace

bool getAppDataRootFor(int majorVersion, cStringA& root)
{
    char buf[MAX_PATH];
    bool ok = majorVersion >= 6 ? knownFolderRoot(buf) : folderPathRoot(buf);
    if (ok)
        root = cStringA(buf) + "\\";
    else
        root.setBlank();
    return ok;
}

bool getAppDataRoot(cStringA& root)
{
    cArrayTag version;
    cSystemInfo().getOSVersion(version);
    return getAppDataRootFor(static_cast<int>(version.getValue("MajorVersion")), root);
}

const char* getTempFolder() { return record.temp; }
const char* getCacheFolder() { return record.cache; }
const char* getViewerFolder() { return record.viewer; }

bool setTempFolder(const char* path) { return recordPath(record.temp, path); }
bool setCacheFolder(const char* path) { return recordPath(record.cache, path); }
bool setCacheTablePath(const char* path) { return recordPath(record.cacheTable, path); }
bool setShortcutFolder(const char* path) { return recordPath(record.shortcut, path); }
bool setExtensionsFolder(const char* path) { return recordPath(record.extensions, path); }
bool setViewerFolder(const char* path) { return recordPath(record.viewer, path); }
