#include "launch.h"
#include <shellapi.h>

cStringA viewerParameters(const char* first, const char* location, const char* extra)
{
    cStringA text(first);
    text << ";" << location;
    if (strLen(extra) > 0) text << "?" << extra;
    return text;
}

bool launchDocument(const char* file, const char* parameters)
{
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = "open";
    info.lpFile = file;
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&info) != FALSE;
}
