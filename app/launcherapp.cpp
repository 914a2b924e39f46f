#include "launcherapp.h"
#include <commctrl.h>
#include "boundproject.h"
#include "folders.h"
#include "launcherdlg.h"
#include "location.h"
#include "state.h"

namespace {

// Libraries are loaded from the system folder only: a library planted beside
// a downloaded project, or in the current folder, is never picked up.
void restrictLibrarySearch()
{
    typedef BOOL(WINAPI * SetDirectories)(DWORD);
    // Looked up, not linked: older systems lack the call.
    SetDirectories set = reinterpret_cast<SetDirectories>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryA("");
}

void recordProgramPath(HINSTANCE instance)
{
    DWORD n = GetModuleFileNameA(instance, theLauncher.programPath, sizeof theLauncher.programPath);
    // A path that did not fit is not a path.
    if (n >= sizeof theLauncher.programPath) theLauncher.programPath[0] = 0;
}

// The location from the bound slot or the command line, made absolute when it
// is a bare name; false when there is nothing usable to open.
bool projectLocation(const char* commandLine, LocationBuffer& location, cStringA& extra)
{
    if (!chooseLocation(boundProject(), commandLine, location, extra)) return false;
    return location[0] && resolveBareName(location, theLauncher.programPath);
}

}  // namespace

CLauncherApp theApp;

BOOL CLauncherApp::InitInstance()
{
    restrictLibrarySearch();
    cStringA extra;
    InitCommonControls();
    CWinApp::InitInstance();
    recordProgramPath(m_hInstance);
    if (!makeBaseFolders()) MessageBoxA(nullptr, "Can't make base folders for Orrel", "Orrel", MB_OK | MB_ICONERROR);

    LocationBuffer location;
    bool haveProject = projectLocation(m_lpCmdLine, location, extra);
    theLauncher.viewerProgramPath[0] = 0;
    if (haveProject && openAndStart(nullptr, location, extra)) return FALSE;

    CLauncherDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
