#include "libraries.h"
#include <string>
#include "message.h"
#include "state.h"
#include "core/leadbyte.h"
#include "sizes.h"

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// A component of dots (Windows drops trailing dots and blanks, so "... " is
// ".." too) climbs out of the folder it stands in.
bool climbs(const char* begin, const char* end)
{
    int dots = 0;
    for (const char* p = begin; p < end; ++p) {
        if (*p == '.')
            ++dots;
        else if (*p != ' ')
            return false;
    }
    return dots >= 2;
}

// Rooted, drive-relative, share, stream or ".." names would be written outside
// the viewer folder; sub-folders inside it are fine.
bool staysInside(const char* entry)
{
    if (!entry) return true;  // an empty name fails at its download, with that message
    if (isSeparator(entry[0]) || strSearch(entry, ":", -1) >= 0) return false;
    const char* begin = entry;
    for (const char* p = entry;; ++p) {
        if (*p == 0 || isSeparator(*p)) {
            if (climbs(begin, p)) return false;
            if (*p == 0) return true;
            begin = p + 1;
        }
    }
}

// The joined name must fit a path buffer whole: cutting it would fetch or
// start another file than the list names.
bool fitsIn(const char* folder, const char* entry)
{
    return strLen(folder) + 1 + strLen(entry) < kPathSize;
}

cStringA problem(const char* reason, const char* entry)
{
    cStringA text(reason);
    text << "\r\n" << entry;
    return text;
}

// A message names at most this much of a long text.
const int kShownLength = 100;

// The start of text, never cut inside a two-byte character.
cStringA shortened(const char* text)
{
    std::string kept;
    for (const char* p = text; *p;) {
        int width = kaCharWidth(p);
        if (static_cast<int>(kept.size()) + width > kShownLength) return cStringA((kept + "...").c_str());
        kept.append(p, static_cast<size_t>(width));
        p += width;
    }
    return cStringA(kept.c_str());
}

cStringA firstTooLong(const char* basedlls, const char* folder)
{
    cToken list(basedlls, ";");
    cStringA entry;
    while (list.nextTrimmed(entry))
        if (!fitsIn(folder, entry)) return problem("The library name is too long:", entry);
    return cStringA();
}

// The libraries' address on the server, joined to each name, must fit too:
// when it does not, it is the address that is too long, not the name.
cStringA firstAddressTooLong(const char* basedlls, const char* base)
{
    cToken list(basedlls, ";");
    cStringA entry;
    while (list.nextTrimmed(entry))
        if (!fitsIn(base, entry)) return problem("The library address is too long:", shortened(cStringA(base) + entry));
    return cStringA();
}

cStringA besideProgram(const char* entry)
{
    cFileName path;
    path.fullWithFriend(entry, theLauncher.programPath, nullptr);
    return cStringA(path);
}

}  // namespace

bool isViewerProgram(const char* entry)
{
    return strSearchIgnoreCase(entry, "orlviewer", -1) >= 0;
}

cStringA checkLibraryList(const char* basedlls, const char* folder, const char* base)
{
    cToken list(basedlls, ";");
    cStringA entry;
    while (list.nextTrimmed(entry))
        if (!staysInside(entry)) return problem("The library name points outside the viewer folder:", entry);
    cStringA tooLong = firstTooLong(basedlls, folder);
    return tooLong.hasContent() ? tooLong : firstAddressTooLong(basedlls, base);
}

bool placeLibraries(const char* basedlls, const char* folder, cStringA& first, CLibraryFetcher& fetcher)
{
    cToken list(basedlls, ";");
    cStringA entry;
    for (bool isFirst = true; list.nextTrimmed(entry); isFirst = false) {
        if (isFirst) first = entry;
        cFileName dest;
        dest.fullWithDir(entry, folder, nullptr);
        if (isViewerProgram(entry)) setViewerProgramPath(dest);
        // A file that is there is never fetched again, whatever it holds.
        if (dest.isFile()) continue;
        if (!fetcher.fetch(dest, entry)) return false;
    }
    return true;
}

bool useLocalLibraries(const char* basedlls, cStringA& first)
{
    cToken list(basedlls, ";");
    cStringA entry;
    if (!list.nextTrimmed(entry)) {
        showLauncherMessage(nullptr, "Can't find DLL names in the project file.");
        return false;
    }
    cStringA tooLong = firstTooLong(basedlls, cFileName(theLauncher.programPath).getDir());
    if (tooLong.hasContent()) {
        showLauncherMessage(nullptr, tooLong);
        return false;
    }
    // The first entry is the first library, never the viewer program.
    first = besideProgram(entry);
    while (list.nextTrimmed(entry))
        if (isViewerProgram(entry)) setViewerProgramPath(besideProgram(entry));
    return true;
}
