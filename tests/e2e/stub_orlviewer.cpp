// A stand-in for the viewer: records the command line it was started with, so
// a test can check the parameter string the launcher built.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR params, int)
{
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("ORREL_VIEWER_RECORD", path, sizeof path);
    if (n == 0 || n >= sizeof path) return 1;
    // Written to a side name and moved into place, so a test never reads half a record.
    char partial[MAX_PATH + 8];
    wsprintfA(partial, "%s.part", path);
    HANDLE f = CreateFileA(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    BOOL ok = WriteFile(f, params, lstrlenA(params), &written, nullptr);
    CloseHandle(f);
    return ok && MoveFileExA(partial, path, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
