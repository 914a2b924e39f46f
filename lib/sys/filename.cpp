#include "filename.h"
#include <cstring>
#include "core/error.h"
#include "data/token.h"
#include "datafolder.h"
#include "file.h"
#include "fsutil.h"
#include "pathparts.h"

namespace {

const int kFileNameTypeId = 80;

cStringA unixForm(const char* text) { return withChar(text, '\\', '/'); }

cStringA piece(const char* from, int n)
{
    PathText t;
    t.add(from, n);
    return cStringA(t.text());
}

// The pieces of a URL, each in the text's own characters.
struct UrlParts {
    cStringA scheme, host, path, name, ext;
};

UrlParts splitUrl(const char* text)
{
    UrlParts u;
    cStringA copy = unixForm(text);
    const char* rest = copy.getPtr();
    if (!rest) return u;
    int n = schemeLength(rest);
    u.scheme = piece(rest, n);
    rest += n;
    if (rest[0] == '/' && rest[1] == '/') {
        const char* slash = findFirstOf(rest + 2, "/");
        if (!slash) {
            u.host = rest;
            return u;
        }
        u.host = piece(rest, static_cast<int>(slash - rest));
        rest = slash;
    }
    const char* slash = findLastOf(rest, "/");
    if (slash) {
        u.path = piece(rest, static_cast<int>(slash - rest + 1));
        rest = slash + 1;
    }
    const char* dot = findLastOf(rest, ".");
    u.name = dot ? piece(rest, static_cast<int>(dot - rest)) : cStringA(rest);
    if (dot) u.ext = dot;
    return u;
}

bool sameFolder(const char* a, const char* b, bool ignoreCase)
{
    return ignoreCase ? strCompareNoCase(a, b) == 0 : strCompare(a, b) == 0;
}

// "../" for each folder of base below the ones both share, then the target's own
// remaining folders and its name. The two folder lists are walked side by side.
void buildRelative(PathText& out, const char* targetDir, const char* baseDir, bool ignoreCase,
                   const char* nameExt)
{
    cToken target(targetDir, "/"), base(baseDir, "/");
    char* a = target.next();
    char* b = base.next();
    while (a && b && sameFolder(a, b, ignoreCase)) {
        a = target.next();
        b = base.next();
    }
    for (; b; b = base.next()) out.add("../");
    for (; a; a = target.next()) out.add(a).add('/');
    out.add(nameExt);
}

bool relativeOnDisk(PathText& out, const char* target, const char* base)
{
    PathParts a, b;
    splitPath(target, a);
    splitPath(base, b);
    if (a.cut || b.cut || strCompareNoCase(a.drive, b.drive) != 0) return false;
    PathText nameExt;
    nameExt.add(a.name).add(a.ext);
    buildRelative(out, a.dir, b.dir, true, nameExt.text());
    return true;
}

bool relativeAsUrl(PathText& out, const char* target, const char* base)
{
    UrlParts a = splitUrl(target), b = splitUrl(base);
    if (strCompareNoCase(a.host, b.host) != 0) return false;
    buildRelative(out, a.path, b.path, false, a.name + a.ext);
    return true;
}

}  // namespace

cFileName::cFileName() { type = kFileNameTypeId; }

cFileName::cFileName(const cFileName& other) : cVar(other), text(other.text) { type = kFileNameTypeId; }

cFileName::cFileName(const char* t) : text(t) { type = kFileNameTypeId; }

cFileName::cFileName(int which)
{
    type = kFileNameTypeId;
    if (which == 0) getAppDataRoot(text);
}

cFileName& cFileName::operator=(const char* t)
{
    text = t;
    return *this;
}

cFileName& cFileName::operator=(const cStringA& t)
{
    text = t;
    return *this;
}

cFileName& cFileName::operator=(const cFileName& other)
{
    cVar::operator=(other);
    text = other.text;
    return *this;
}

void cFileName::set(const char* t) { text = t; }

cFileName::operator const char*() const { return text; }

char cFileName::operator[](int i) const { return text[i]; }

int cFileName::length() const { return text.length(); }

void cFileName::setBlank() { text.setBlank(); }

bool cFileName::isBlank() const { return text.isBlank(); }

bool cFileName::hasContent() const { return text.hasContent(); }

bool cFileName::isFile() const { return kaIsFile(text); }

bool cFileName::isDirectory() const { return kaIsDir(text); }

int cFileName::isExistNoError() const { return existsQuietly(text) ? 1 : 0; }

__int64 cFileName::size() const
{
    WIN32_FIND_DATAA entry;
    if (!findQuery(text, entry)) return 0;
    return (static_cast<__int64>(entry.nFileSizeHigh) << 32) + entry.nFileSizeLow;
}

cTimestamp cFileName::getTime(int which) const
{
    WIN32_FIND_DATAA entry;
    if (!findQuery(text, entry)) return cTimestamp(0LL);
    const FILETIME& t = which == 1 ? entry.ftLastAccessTime
                        : which == 2 ? entry.ftLastWriteTime
                                     : entry.ftCreationTime;
    FILETIME local;
    SYSTEMTIME st;
    cTimestamp result(0LL);
    if (FileTimeToLocalFileTime(&t, &local) && FileTimeToSystemTime(&local, &st)) result.set(st);
    return result;
}

bool cFileName::isExtension(const char* ext) const
{
    if (isBlank() || !pathFits(text)) return false;
    PathParts p;
    splitRaw(text, p);
    if (!ext || !ext[0]) return !p.ext[0] || strIsEqual(p.ext, ".");
    const char* mine = p.ext[0] == '.' ? p.ext + 1 : p.ext;
    return strIsEqualNoCase(mine, ext[0] == '.' ? ext + 1 : ext);
}

void cFileName::changeExtension(const char* ext)
{
    if (isBlank()) return;
    char dest[kPathMax];
    kaChangeExtension(dest, text, ext ? ext : "");
    text = dest;
}

void cFileName::split(cStringA& out, int part) const
{
    out.setBlank();
    if (isBlank() || !pathFits(text) || part < 0 || part > 3) return;
    PathParts p;
    splitPath(text, p);
    PathText t;
    switch (part) {
    case 0: t.add(p.drive).add(p.dir); break;
    case 1: t.add(p.name); break;
    case 2: t.add(p.ext); break;
    default: t.add(p.name).add(p.ext); break;
    }
    out = t.text();
}

cStringA cFileName::getDir() const
{
    cStringA out;
    split(out, 0);
    return out;
}

cStringA cFileName::getNameOnly() const
{
    cStringA out;
    split(out, 1);
    return out;
}

cStringA cFileName::getExtension() const
{
    cStringA out;
    split(out, 2);
    return out;
}

cStringA cFileName::getNameExt() const
{
    cStringA out;
    split(out, 3);
    return out;
}

cStringA cFileName::getParent() const
{
    const char* s = text.getPtr();
    int i = text.length() - 1;
    if (i < 0) return cStringA();
    if (isSeparator(s[i])) --i;
    while (i >= 0 && !isSeparator(s[i])) --i;
    if (i < 0) return cStringA();
    char* copy = strDuplicate(s);
    copy[i + 1] = 0;
    cStringA parent(copy);
    ka_free(copy);
    return parent;
}

cStringA cFileName::getUrlSplit(int part) const
{
    if (isBlank() || !pathFits(text)) return cStringA();
    UrlParts u = splitUrl(text);
    switch (part) {
    case 0: return u.scheme;
    case 1: return u.host;
    case 2: return u.path;
    case 3: return u.name;
    case 4: return u.ext;
    case 5: return u.path + u.name + u.ext;
    case 6: return u.name + u.ext;
    default: return cStringA();
    }
}

void cFileName::fullWithDir(const char* name, const char* dir, const char* defExt)
{
    char dest[kPathMax];
    kaMakeFullName(dest, name, dir, defExt);
    text = dest;
}

void cFileName::fullWithFriend(const char* name, const char* friendPath, const char* defExt)
{
    PathParts p;
    splitPath(friendPath, p);
    PathText dir;
    dir.add(p.drive).add(p.dir);
    if (p.cut || !pathFits(friendPath)) {
        text.setBlank();
        refuseLongPath(friendPath);
        return;
    }
    fullWithDir(name, dir.text(), defExt);
}

void cFileName::urlFullWithFriend(const char* name, const char* friendPath)
{
    text = name;
    if (!name || !name[0] || !friendPath || !friendPath[0]) return;
    if (!pathFits(name) || !pathFits(friendPath)) return;
    int f = serverArea(friendPath);
    if (serverArea(name) != 0) return;
    if (beginsWithWww(name)) {
        cStringA url = cStringA("http://") + name;
        if (pathFits(url)) text = url;
        return;
    }
    if (f == 0) return;
    if (f == 1) {
        fullWithFriend(name, friendPath, nullptr);
        return;
    }
    UrlParts n = splitUrl(name), fr = splitUrl(friendPath);
    PathText out;
    out.add(fr.scheme);
    if (n.host.hasContent())
        out.add(n.host).add(n.path);
    else if (n.path[0] == '/')
        out.add(fr.host).add(n.path);
    else
        out.add(fr.host).add(fr.path).add(n.path);
    out.add(n.name).add(n.ext);
    if (out.overflowed()) return;
    collapseDotDot(out.text());
    text = out.text();
}

void cFileName::makeRelative(const char* base)
{
    if (isBlank() || !base) return;
    if (!pathFits(text) || !pathFits(base)) return;
    int area = serverArea(text);
    if (area != serverArea(base)) return;
    cStringA a = unixForm(text), b = unixForm(base);
    PathText out;
    bool done = area == 1 ? relativeOnDisk(out, a, b) : relativeAsUrl(out, a, b);
    if (done && !out.overflowed()) text = out.text();
}

bool cFileName::equals(const char* other) const
{
    if (!other || !other[0]) return isBlank();
    if (isBlank()) return false;
    return strIsEqualNoCase(unixForm(text), unixForm(other));
}

void cFileName::forDos() { text = withChar(text, '/', '\\'); }

void cFileName::forUnix() { text = unixForm(text); }

// ---- members that change the file system -----------------------------------

int cFileName::kill() { return kaDeleteFile(text) ? 1 : 0; }

int cFileName::rename(const char* newName) { return kaRenameFile(text, newName); }

int cFileName::isOpened() const
{
    void* h = kaOpenFileNoShare(text);
    if (!h) return 1;
    kaCloseFile(h);
    return 0;
}

bool cFileName::makeFolder()
{
    if (!checkPathFits(text)) return false;
    return kaIsDir(text) || makeFolder2(text);
}

bool cFileName::makeFolder2(const char* path)
{
    cStringA parent = cFileName(path).getParent();
    if (parent.isBlank()) {
        kaErrorSetMsg("Invalid path.");
        return false;
    }
    if (!kaIsDir(parent) && !makeFolder2(parent)) return false;
    return createFolder(path);
}

cStringA cFileName::copyAsUniqueName(const char* folder)
{
    if (isBlank()) return cStringA();
    cStringA name = getNameOnly(), ext = getExtension();
    cStringA candidate = cStringA(folder) + name + ext;
    for (unsigned long n = 1; cFileName(candidate).isFile(); ++n)
        candidate = cStringA(folder) + name + "_" + n + ext;
    return kaCopyFile(candidate, text) ? candidate : cStringA();
}

void cFileName::getTempName(const char* ext) { getTempName(nullptr, ext); }

void cFileName::getTempName(const char* folder, const char* ext)
{
    DWORD tick = GetTickCount();
    cStringA stem;
    stem.set(static_cast<unsigned long>(tick));
    const char* dir = kaIsDir(folder) ? folder : getTempFolder();
    cStringA extension = !ext ? cStringA(".tmp") : ext[0] == '.' ? cStringA(ext) : "." + cStringA(ext);
    fullWithDir(stem, dir, extension);
    // Two names in a row must differ, and the stem is all that tells them apart.
    while (GetTickCount() == tick) Sleep(1);
}
