#include "folders.h"
#include "sizes.h"

namespace {

bool haveFolder(const char* path)
{
    return kaIsDir(path) || createFolder(path);
}

struct SubFolder {
    const char* name;
    bool (*record)(const char* path);
};

// In the order they are made; the cache table is named right after its folder.
const SubFolder kSubFolders[] = {
    {"temp", setTempFolder},
    {"cache", setCacheFolder},
    {"shortcut", setShortcutFolder},
    {"extensions", setExtensionsFolder},
    {"viewer", setViewerFolder},
};

}  // namespace

bool makeSubFolder(cStringA& out, const char* parent, const char* name)
{
    cStringA path(parent);
    path << "\\" << name;
    // Names are later joined inside the folder: it must fit a path buffer with
    // its closing backslash.
    if (path.length() + 1 >= kPathSize) {
        kaErrorSetMsg("The folder path is too long.");
        kaErrorSetFile(path);
        return false;
    }
    // A hidden, read-only or archive folder passes the file test, yet it is a folder.
    if (kaIsFile(path) && !kaIsDir(path)) return false;
    if (!haveFolder(path)) return false;
    out = path + "\\";
    return true;
}

bool makeBaseFolders()
{
    cStringA root;
    if (!getAppDataRoot(root)) return false;
    cStringA maker = root + "Kestrine";
    if (!haveFolder(maker)) return false;
    cStringA base = maker + "\\Orrel";
    if (!haveFolder(base) || !kaIsDir(base)) return false;
    for (const SubFolder& sub : kSubFolders) {
        cStringA path;
        if (!makeSubFolder(path, base, sub.name) || !sub.record(path)) return false;
        if (sub.record == setCacheFolder && !setCacheTablePath(path + "cache.tbl")) return false;
    }
    return true;
}

void deleteCaches()
{
    const char* cache = getCacheFolder();
    if (strLen(cache) > 0) kaDeleteFileAll(cache);
}
