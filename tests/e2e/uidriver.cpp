// Drives the launcher's windows from outside, for the end-to-end tests:
//   uidriver list                 one line per visible top-level window of the desktop:
//                                 hwnd<TAB>pid<TAB>class<TAB>caption, then one line per
//                                 child: <TAB>id<TAB>class<TAB>text
//   uidriver click HWND ID [MS]   presses the control with that id; with MS, then waits
//                                 up to MS ms for the window to go and prints the ms taken
//   uidriver settext HWND ID TEXT sets a control's text
//   uidriver close HWND           asks the window to close
//   uidriver waitfile PATH MS     waits up to MS ms for a file to exist
// Texts are printed as UTF-8 with tabs and line breaks escaped.
#include <windows.h>
#include <shellapi.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string utf8(const wchar_t* w)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w, -1, &s[0], n, nullptr, nullptr);
    std::string out;
    for (char c : s) {
        const char* escaped = c == '\\' ? "\\\\" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\t' ? "\\t" : nullptr;
        out += escaped ? escaped : std::string(1, c);
    }
    return out;
}

std::string textOf(HWND w)
{
    wchar_t buf[4096];
    // WM_GETTEXT reaches controls of other processes, where GetWindowText does not.
    LRESULT n = SendMessageTimeoutW(w, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG,
                                    2000, nullptr);
    if (!n) buf[0] = 0;
    buf[4095] = 0;
    return utf8(buf);
}

std::string classOf(HWND w)
{
    wchar_t buf[256];
    GetClassNameW(w, buf, 256);
    return utf8(buf);
}

BOOL CALLBACK printChild(HWND w, LPARAM top)
{
    if (GetParent(w) != reinterpret_cast<HWND>(top)) return TRUE;
    printf("\t%d\t%s\t%s\n", GetDlgCtrlID(w), classOf(w).c_str(), textOf(w).c_str());
    return TRUE;
}

BOOL CALLBACK printTop(HWND w, LPARAM)
{
    if (!IsWindowVisible(w)) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    printf("%llu\t%lu\t%s\t%s\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w)), pid,
           classOf(w).c_str(), textOf(w).c_str());
    EnumChildWindows(w, printChild, reinterpret_cast<LPARAM>(w));
    return TRUE;
}

HWND handle(const char* text) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(_strtoui64(text, nullptr, 10))); }

int usage()
{
    fprintf(stderr, "usage: uidriver list | click HWND ID [MS] | settext HWND ID TEXT | close HWND | waitfile PATH MS\n");
    return 2;
}

// Woken by the changes in the file's folder, which must exist.
int waitFile(const char* path, DWORD ms)
{
    char folder[MAX_PATH];
    lstrcpynA(folder, path, MAX_PATH);
    if (char* slash = strrchr(folder, '\\')) *slash = 0;
    HANDLE change = FindFirstChangeNotificationA(folder, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    if (change == INVALID_HANDLE_VALUE) return 2;
    DWORD start = GetTickCount(), waited = 0;
    bool found;
    while (!(found = GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) && waited < ms) {
        if (WaitForSingleObject(change, ms - waited) == WAIT_OBJECT_0) FindNextChangeNotification(change);
        waited = GetTickCount() - start;
    }
    FindCloseChangeNotification(change);
    return found ? 0 : 1;
}

// The window of another process gives no event of its going: looked at every millisecond.
int waitGone(HWND w, DWORD ms)
{
    DWORD start = GetTickCount();
    while (IsWindow(w) && GetTickCount() - start < ms) Sleep(1);
    if (IsWindow(w)) return 1;
    printf("%lu\n", GetTickCount() - start);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return usage();
    std::string verb = argv[1];
    if (verb == "list") {
        EnumWindows(printTop, 0);
        return 0;
    }
    if (verb == "waitfile" && argc == 4) return waitFile(argv[2], strtoul(argv[3], nullptr, 10));
    if (argc < 3) return usage();
    HWND w = handle(argv[2]);
    if (!IsWindow(w)) {
        fprintf(stderr, "uidriver: no window %s\n", argv[2]);
        return 1;
    }
    if (verb == "close") return PostMessageW(w, WM_CLOSE, 0, 0) ? 0 : 1;
    if (argc < 4) return usage();
    int id = atoi(argv[3]);
    HWND control = GetDlgItem(w, id);
    if (verb == "click") {
        // A command from the button itself, as a real click sends it.
        if (!PostMessageW(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control))) return 1;
        return argc > 4 ? waitGone(w, strtoul(argv[4], nullptr, 10)) : 0;
    }
    if (!control || argc < 5) return usage();
    if (verb == "settext") {
        // The text is taken from the wide command line: the narrow one has lost
        // whatever the ANSI code page cannot hold.
        int wargc = 0;
        LPWSTR* wargv = CommandLineToArgvW(GetCommandLineW(), &wargc);
        if (!wargv || wargc < 5) return usage();
        BOOL ok = SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wargv[4])) != 0;
        LocalFree(wargv);
        return ok ? 0 : 1;
    }
    return usage();
}
