#include "state.h"
#include "ka.h"

LauncherState theLauncher = {};

bool setViewerProgramPath(const char* path)
{
    if (strLen(path) >= static_cast<int>(sizeof theLauncher.viewerProgramPath)) return false;
    strCopy(theLauncher.viewerProgramPath, path);
    return true;
}
