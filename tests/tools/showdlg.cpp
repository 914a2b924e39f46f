// Shows one dialog resource of a program file exactly as its template lays it out, with the
// program's icon, so that scripts/screenshot can take its picture. It ends by itself.
//   showdlg.exe PROGRAM DIALOG-ID [SECONDS]
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>

namespace {

const int kIconId = 128;

INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    bool closing = message == WM_CLOSE || message == WM_TIMER ||
                   (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL));
    if (closing) {
        DestroyWindow(window);
        return TRUE;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return message == WM_INITDIALOG;
}

void setIcons(HWND window, HMODULE module)
{
    for (int big = 0; big <= 1; ++big) {
        int size = GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON);
        HANDLE icon = LoadImageA(module, MAKEINTRESOURCEA(kIconId), IMAGE_ICON, size, size, 0);
        if (icon) SendMessageA(window, WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        fputs("usage: showdlg PROGRAM DIALOG-ID [SECONDS]\n", stderr);
        return 2;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HMODULE module = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) {
        fprintf(stderr, "showdlg: cannot load %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(atoi(argv[2])), nullptr, dialogProc, 0);
    if (!dialog) {
        fprintf(stderr, "showdlg: no dialog %s in %s (error %lu)\n", argv[2], argv[1], GetLastError());
        return 1;
    }
    setIcons(dialog, module);
    ShowWindow(dialog, SW_SHOWNORMAL);
    SetForegroundWindow(dialog);
    SetTimer(dialog, 1, (argc > 3 ? atoi(argv[3]) : 60) * 1000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    FreeLibrary(module);
    return 0;
}
