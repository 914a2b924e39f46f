// The floor for launch latency: a Win32 GUI program that starts another
// program through the shell and ends, with nothing else on its way.
//   minimal_win32 PROGRAM PARAMETERS
#include <windows.h>
#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) return 2;
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    info.lpFile = argv[1];
    info.lpParameters = argv[2];
    info.nShow = SW_SHOWNORMAL;
    BOOL ok = ShellExecuteExW(&info);
    LocalFree(argv);
    return ok ? 0 : 1;
}
