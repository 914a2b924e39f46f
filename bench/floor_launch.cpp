// The same-work floor for a launch with every library cached: exactly the work the
// launcher cannot skip, and nothing else. It fetches the project into memory with the
// launcher's flags, creates, shows and destroys one dialog made from an in-memory
// template, looks each library up on disk and starts the viewer through the shell.
//   floor_launch PROJECT-URL VIEWER PARAMETERS LIBRARY...
#include <windows.h>
#include <wininet.h>
#include <shellapi.h>
#include <string>

namespace {

const DWORD kFlags = INTERNET_FLAG_TRANSFER_BINARY | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;

bool fetchProject(const char* url, std::string& body)
{
    HINTERNET net = InternetOpenA("floor", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!net) return false;
    HINTERNET file = InternetOpenUrlA(net, url, nullptr, 0, kFlags, 1);
    bool ok = file != nullptr;
    char block[10240];
    DWORD got = 0;
    while (ok && (ok = InternetReadFile(file, block, sizeof block, &got) != 0) && got) body.append(block, got);
    if (file) InternetCloseHandle(file);
    InternetCloseHandle(net);
    return ok && !body.empty();
}

INT_PTR CALLBACK dialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// A captioned popup dialog with no controls, as the progress dialog is before its
// controls are filled in.
void showDialog()
{
    struct alignas(4) {
        DLGTEMPLATE head;
        WORD menu, windowClass;
        wchar_t title[8];
    } tmpl = {};
    tmpl.head.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    tmpl.head.cx = 200;
    tmpl.head.cy = 60;
    lstrcpyW(tmpl.title, L"Floor");
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &tmpl.head, nullptr, dialogProc, 0);
    if (!dialog) return;
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);
    DestroyWindow(dialog);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int argc = __argc;
    char** argv = __argv;
    if (argc < 4) return 2;
    std::string project;
    if (!fetchProject(argv[1], project)) return 1;
    showDialog();
    for (int i = 4; i < argc; ++i) {
        if (GetFileAttributesA(argv[i]) == INVALID_FILE_ATTRIBUTES) return 1;
    }
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = "open";
    info.lpFile = argv[2];
    info.lpParameters = argv[3];
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&info) ? 0 : 1;
}
