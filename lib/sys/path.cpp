#include "path.h"
#include "pathparts.h"
#include <cctype>
#include <cstring>
#include "core/cstr.h"
#include "core/error.h"
#include "core/handle.h"
#include "core/memory.h"

namespace {

// A wildcard would let the find query answer for some other entry that matches it.
bool hasWildcard(const char* s) { return findFirstOf(s, "*?") != nullptr; }

// The system's find-first query on a path in backslash form; the handle is closed at once.
bool findFirst(const char* path, WIN32_FIND_DATAA& entry)
{
    if (!path[0] || hasWildcard(path)) return false;
    return static_cast<bool>(UniqueFind(FindFirstFileA(path, &entry)));
}

// Copies at most kPartMax bytes of [from, from + n), never ending inside a
// double-byte character; true when it had to cut.
bool copyPart(char* dst, const char* from, int n)
{
    bool cut = n > kPartMax;
    if (cut) {
        n = kPartMax;
        int i = 0;
        while (i < n) i += isLeadByte(from[i]) ? 2 : 1;
        if (i > n) n = i - 2;
    }
    memcpy(dst, from, n);
    dst[n] = 0;
    return cut;
}

// Name cases that kaMakeFullName passes through as they stand: mail addresses and URLs.
bool isAddressLike(const char* name)
{
    return strchr(name, '@') || beginsWithWww(name) || schemeLength(name) > 0;
}

// dir with one trailing separator removed, then a backslash. An empty dir adds
// nothing, so that a name without a folder stays relative instead of being rooted.
void addFolderOf(PathText& out, const char* dir)
{
    int n = strLen(dir);
    if (n == 0) return;
    if (isSeparator(dir[n - 1])) --n;
    out.add(dir, n).add('\\');
}

// The folder part of kaMakeFullName: how the name's own drive and folder meet dir.
void joinFolder(PathText& out, const PathParts& p, const char* dir)
{
    if (!p.drive[0] && !p.dir[0]) {
        addFolderOf(out, dir);
    } else if (p.drive[0]) {
        out.add(p.drive).add(p.dir);
    } else if (p.dir[0] != '\\') {
        addFolderOf(out, dir);
        out.add(p.dir);
    } else {
        if (strLen(dir) >= 2 && dir[1] == ':') out.add(dir, 2);
        out.add(p.dir);
    }
}

void appendExtension(PathText& out, const char* ext, const char* defExt)
{
    if (ext[0])
        out.add(ext);
    else if (defExt && defExt[0] == '.')
        out.add(defExt);
    else if (defExt && defExt[0])
        out.add('.').add(defExt);
}

}  // namespace

// ---- internal helpers -------------------------------------------------------

PathText::PathText() : len(0), overflow(false) { buf[0] = 0; }

PathText& PathText::add(const char* s) { return add(s, strLen(s)); }

PathText& PathText::add(const char* s, int n)
{
    if (n <= 0 || overflow) return *this;
    if (len + n >= kPathMax) {
        overflow = true;
        return *this;
    }
    memcpy(buf + len, s, n);
    len += n;
    buf[len] = 0;
    return *this;
}

PathText& PathText::add(char c) { return add(&c, 1); }

int schemeLength(const char* text)
{
    static const char* const kSchemes[] = {"http:", "ftp:", "news:", "mailto:", "pnm:", "mms:"};
    for (const char* scheme : kSchemes) {
        int n = strLen(scheme);
        if (strnCompareNoCase(text, scheme, n) == 0) return n;
    }
    return 0;
}

bool beginsWithWww(const char* text) { return strnCompareNoCase(text, "www.", 4) == 0; }

bool pathFits(const char* path) { return strLen(path) < kPathMax; }

bool refuseLongPath(const char* name)
{
    // The system's own text for a name that is too long, in the user's language.
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    kaErrorSetSystem("The path is too long.");
    kaErrorSetFile(name);
    return false;
}

bool checkPathFits(const char* path) { return pathFits(path) || refuseLongPath(path); }

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool isLeadByte(char c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != 0; }

const char* findLastOf(const char* s, const char* set)
{
    const char* last = nullptr;
    for (; s && *s; ++s) {
        if (isLeadByte(*s)) {
            if (!s[1]) break;
            ++s;
        } else if (strchr(set, *s)) {
            last = s;
        }
    }
    return last;
}

const char* findFirstOf(const char* s, const char* set)
{
    for (; s && *s; ++s) {
        if (isLeadByte(*s)) {
            if (!s[1]) break;
            ++s;
        } else if (strchr(set, *s)) {
            return s;
        }
    }
    return nullptr;
}

bool copyDosPath(char* dst, const char* src)
{
    dst[0] = 0;
    if (!pathFits(src)) return false;
    strCopy(dst, src);
    replaceChar(dst, '/', '\\');
    return true;
}

void replaceChar(char* s, char from, char to)
{
    for (; s && *s; ++s)
        if (*s == from) *s = to;
}

cStringA withChar(const char* text, char from, char to)
{
    char* copy = strDuplicate(text);
    replaceChar(copy, from, to);
    cStringA result(copy);
    ka_free(copy);
    return result;
}

void dropTrailingBackslash(char* s)
{
    int n = strLen(s);
    if (n > 0 && s[n - 1] == '\\') s[n - 1] = 0;
}

void splitRaw(const char* path, PathParts& parts)
{
    parts.drive[0] = parts.dir[0] = parts.name[0] = parts.ext[0] = 0;
    parts.cut = false;
    if (!path || !path[0]) return;
    const char* rest = path;
    if (path[1] == ':') {
        memcpy(parts.drive, path, 2);
        parts.drive[2] = 0;
        rest = path + 2;
    }
    const char* sep = findLastOf(rest, "\\/");
    const char* base = sep ? sep + 1 : rest;
    const char* dot = findLastOf(base, ".");
    const char* end = base + strlen(base);
    parts.cut = copyPart(parts.dir, rest, static_cast<int>(base - rest)) |
                copyPart(parts.name, base, static_cast<int>((dot ? dot : end) - base)) |
                copyPart(parts.ext, dot ? dot : end, static_cast<int>(dot ? end - dot : 0));
}

void splitPath(const char* path, PathParts& parts)
{
    splitRaw(path, parts);
    if (!parts.drive[0] && parts.dir[0] == '\\' && parts.dir[1] == '\\') {
        const char* next = findFirstOf(parts.dir + 2, "\\");
        int n = next ? static_cast<int>(next - parts.dir) : strLen(parts.dir);
        memcpy(parts.drive, parts.dir, n);
        parts.drive[n] = 0;
        memmove(parts.dir, parts.dir + n, strlen(parts.dir + n) + 1);
    }
    if (kaIsDir(path)) {
        PathText whole;
        whole.add(parts.dir).add(parts.name).add(parts.ext);
        if (!whole.overflowed()) strCopy(parts.dir, whole.text());
        parts.name[0] = parts.ext[0] = 0;
    }
}

// The component in front of a ".." that must stay: the root of a path, a drive,
// the host of a URL or the server of a share. Stepping above it goes nowhere.
bool isRootComponent(const char* text, const char* start, const char* p)
{
    if (start == p) return start == text;
    if (p[-1] == ':') return true;
    return start - text >= 2 && isSeparator(start[-1]) && isSeparator(start[-2]);
}

void collapseDotDot(char* text)
{
    static const char* const kinds[] = {"\\..\\", "/../", "\\../", "/..\\"};
    for (;;) {
        char* p = nullptr;
        for (const char* kind : kinds)
            if ((p = strstr(text, kind)) != nullptr) break;
        if (!p) return;
        // The component before p starts after the last separator in front of it.
        char* start = text;
        for (char* s = text; s < p; ++s) {
            if (isLeadByte(*s) && s + 1 < p)
                ++s;
            else if (isSeparator(*s))
                start = s + 1;
        }
        if (isRootComponent(text, start, p)) start = p + 1;
        memmove(start, p + 4, strlen(p + 4) + 1);
    }
}

bool findQuery(const char* path, WIN32_FIND_DATAA& entry)
{
    char copy[kPathMax];
    if (!copyDosPath(copy, path)) return refuseLongPath(path);
    if (findFirst(copy, entry)) return true;
    kaErrorSetMsg("The system cannot find the file specified");
    kaErrorSetFile(path);
    return false;
}

// ---- public functions -------------------------------------------------------

bool kaIsDir(const char* path)
{
    char copy[kPathMax];
    if (!path || !path[0] || !copyDosPath(copy, path)) return false;
    if (strlen(copy) == 3 && copy[1] == ':' && copy[2] == '\\') return true;
    dropTrailingBackslash(copy);
    if (!copy[0] || hasWildcard(copy)) return false;
    // The attributes alone: every split asks this, and a find query costs far more.
    DWORD attributes = GetFileAttributesA(copy);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool kaIsFile(const char* path)
{
    WIN32_FIND_DATAA entry;
    if (!path || !path[0] || !findQuery(path, entry)) return false;
    const DWORD fileMask = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE |
                           FILE_ATTRIBUTE_NORMAL;
    return entry.dwFileAttributes == 0 || (entry.dwFileAttributes & fileMask);
}

int serverArea(const char* text)
{
    static const struct {
        const char* prefix;
        int area;
    } kAreas[] = {{"http:", 2}, {"mailto:", 3}, {"ftp:", 4}, {"news:", 5}, {"pnm:", 6}, {"mms:", 7}};
    if (!text || !text[0]) return 0;
    for (const auto& a : kAreas)
        if (strnCompareNoCase(text, a.prefix, strLen(a.prefix)) == 0) return a.area;
    if (isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':') return 1;
    if ((text[0] == '\\' && text[1] == '\\') || (text[0] == '/' && text[1] == '/')) return 1;
    return 0;
}

void kaSplitPath(char* dest, const char* path, unsigned short part)
{
    if (!dest) {
        kaErrorSetMsg("No buffer for destination in kaSplitPath().");
        return;
    }
    if (part > 3) return;
    dest[0] = 0;
    if (!path || !path[0] || !pathFits(path)) return;
    PathParts p;
    splitPath(path, p);
    PathText out;
    switch (part) {
    case 0: out.add(p.drive); break;
    case 1: out.add(p.dir); break;
    case 2: out.add(p.drive).add(p.dir); break;
    default: out.add(p.name); break;
    }
    if (!out.overflowed()) strCopy(dest, out.text());
}

void kaMakeFullName(char* dest, const char* name, const char* dir, const char* defExt)
{
    if (!dest) {
        kaErrorSetMsg("No buffer for destination in kaMakeFullName().");
        return;
    }
    dest[0] = 0;
    if (!name || !name[0]) return;
    if (!pathFits(name) || !pathFits(dir) || !pathFits(defExt)) {
        refuseLongPath(name);
        return;
    }
    PathText out;
    bool asGiven = (!dir || !dir[0]) && (!defExt || !defExt[0]);
    if (asGiven || isAddressLike(name)) {
        out.add(name);
    } else {
        PathParts p;
        splitPath(name, p);
        if (p.cut) {
            refuseLongPath(name);
            return;
        }
        joinFolder(out, p, dir);
        out.add(p.name);
        appendExtension(out, p.ext, defExt);
    }
    if (out.overflowed()) {
        refuseLongPath(name);
        return;
    }
    strCopy(dest, out.text());
    replaceChar(dest, '/', '\\');
    if (!asGiven && !isAddressLike(name)) collapseDotDot(dest);
}

void kaChangeExtension(char* dest, const char* src, const char* ext)
{
    if (!dest || !src || !src[0]) return;
    const char* dot = findLastOf(src, ".");
    PathText out;
    out.add(src, dot ? static_cast<int>(dot - src) : strLen(src));
    if (!ext || ext[0] != '.') out.add('.');
    out.add(ext);
    // A result that does not fit is refused whole rather than cut.
    strCopy(dest, out.overflowed() ? "" : out.text());
}

int kaHasNoDrvDir(const char* path)
{
    if (!path || !path[0]) return 1;
    if (!pathFits(path)) return 1;
    PathParts p;
    splitPath(path, p);
    return !p.drive[0] || !p.dir[0];
}
