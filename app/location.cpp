#include "location.h"
#include "launch.h"
#include "message.h"
#include "project.h"
#include "state.h"

namespace {

const char kTooLong[] = "The project location is too long: a location may have at most 259 characters.";
const char kNoViewer[] = "The project names no viewer program, so there is nothing to start.";

// One pair of double quotes around the whole text is removed, as a shell or a
// file dropped on the program leaves them; quotes are never part of a path or URL.
cStringA unquoted(const char* text)
{
    int n = strLen(text);
    if (n < 2 || text[0] != '"' || text[n - 1] != '"') return cStringA(text);
    for (int i = 1; i < n - 1; i++) {
        if (text[i] == '"') return cStringA(text);
    }
    char* inner = strDuplicate(text + 1);
    if (!inner) return cStringA();
    inner[n - 2] = 0;
    cStringA result(inner);
    ka_free(inner);
    return result;
}

bool storeLocation(HWND owner, const char* text, LocationBuffer& location)
{
    if (strLen(text) >= kLocationSize) {
        showLauncherMessage(owner, kTooLong);
        return false;
    }
    strCopy(location, text ? text : "");
    return true;
}

}  // namespace

bool splitLocation(HWND owner, const char* entry, LocationBuffer& location, cStringA& extra)
{
    location[0] = 0;
    extra.setBlank();
    cToken parts(unquoted(entry), "?");
    const char* first = parts.next();
    const char* second = parts.next();
    if (second) extra = second;
    return storeLocation(owner, unquoted(first), location);
}

bool chooseLocation(const char* bound, const char* commandLine, LocationBuffer& location, cStringA& extra)
{
    if (bound && bound[0] != '-') {
        extra = commandLine;
        return storeLocation(nullptr, bound, location);
    }
    return splitLocation(nullptr, commandLine, location, extra);
}

bool resolveBareName(LocationBuffer& location, const char* programPath)
{
    if (cFileName(location).getParent().hasContent()) return true;
    // Checked before joining: the library's joins work in buffers of the same size.
    if (cFileName(programPath).getParent().length() + strLen(location) >= kLocationSize) {
        showLauncherMessage(nullptr, kTooLong);
        return false;
    }
    cFileName full;
    full.fullWithFriend(location, programPath, nullptr);
    return storeLocation(nullptr, full, location);
}

cStringA withWebScheme(const char* text)
{
    if (strnCompareNoCase(text, "www.", 4) == 0) return cStringA("http://") + text;
    return cStringA(text);
}

void startViewer(HWND owner, const char* first, const char* location, const char* extra)
{
    if (!theLauncher.viewerProgramPath[0]) {
        showLauncherMessage(owner, kNoViewer);
        return;
    }
    launchDocument(theLauncher.viewerProgramPath, viewerParameters(first, location, extra));
}

bool openAndStart(HWND owner, const char* location, const char* extra)
{
    cStringA first;
    if (!openProject(location, first)) return false;
    startViewer(owner, first, location, extra);
    return true;
}
