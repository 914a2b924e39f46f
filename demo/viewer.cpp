// The demo viewer: started by the launcher with "first library;project location",
// optionally followed by "?extra arguments". It loads the first library from its
// own folder, lists the libraries lying there, and shows what it was given.
//
// ORREL_DEMO_RECORD names a file that receives the parameter string and the
// library list at start, and a file of the same name plus ".closed" at the end,
// so `make run` can report and knows when to stop its server.
// ORREL_DEMO_AUTOCLOSE=N closes the window after N seconds (for runs without a
// screen to look at).
#include <windows.h>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kCloseId = 100;
const int kTextId = 101;
const UINT_PTR kAutoCloseTimer = 1;

struct Given {
    std::string params, first, location, extra;
};

Given splitParams(const char* params)
{
    Given g;
    g.params = params ? params : "";
    std::string rest = g.params;
    size_t semi = rest.find(';');
    g.first = rest.substr(0, semi);
    rest = semi == std::string::npos ? "" : rest.substr(semi + 1);
    size_t mark = rest.find('?');
    g.location = rest.substr(0, mark);
    if (mark != std::string::npos) g.extra = rest.substr(mark + 1);
    return g;
}

std::string ownFolder()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return "";
    std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/") + 1);
}

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

// The first library is named relative to the viewer's folder; ask it to describe itself.
std::string describeLibrary(const std::string& path)
{
    HMODULE lib = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!lib) return "could not be loaded (error " + std::to_string(GetLastError()) + ")";
    typedef const char* (*Describe)();
    Describe describe = reinterpret_cast<Describe>(reinterpret_cast<void*>(GetProcAddress(lib, "orlDescribe")));
    std::string text = describe ? describe() : "loaded, but it has no orlDescribe";
    FreeLibrary(lib);
    return text;
}

std::string report(const Given& g, const std::string& folder, const std::vector<std::string>& files)
{
    std::string r = "Orrel demo viewer\r\n\r\n";
    r += "Project location: " + g.location + "\r\n";
    r += "Extra arguments: " + (g.extra.empty() ? std::string("(none)") : g.extra) + "\r\n";
    r += "First library: " + g.first + "\r\n";
    if (!g.first.empty()) r += "    which says: " + describeLibrary(folder + g.first) + "\r\n";
    r += "\r\nLibraries in " + folder + ":\r\n";
    for (const std::string& f : files) r += "    " + f + "\r\n";
    return r;
}

bool writeFile(const std::string& path, const std::string& text)
{
    // Written under a side name and moved into place: a reader never sees half a record.
    std::string partial = path + ".part";
    HANDLE f = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    return ok && MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::string environment(const char* name)
{
    char value[MAX_PATH];
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

void layout(HWND wnd)
{
    RECT rc;
    GetClientRect(wnd, &rc);
    MoveWindow(GetDlgItem(wnd, kTextId), 10, 10, rc.right - 20, rc.bottom - 54, TRUE);
    MoveWindow(GetDlgItem(wnd, kCloseId), rc.right - 100, rc.bottom - 36, 90, 26, TRUE);
}

LRESULT CALLBACK viewerProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SIZE:
        layout(wnd);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wp) == kCloseId || LOWORD(wp) == IDCANCEL) DestroyWindow(wnd);
        return 0;
    case WM_TIMER:
        DestroyWindow(wnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

HWND makeWindow(HINSTANCE inst, const std::string& text)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = viewerProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "OrrelDemoViewer";
    RegisterClassA(&wc);
    HWND wnd = CreateWindowA(wc.lpszClassName, "Orrel demo viewer", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                             640, 400, nullptr, nullptr, inst, nullptr);
    if (!wnd) return nullptr;
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                                0, 0, 10, 10, wnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), inst, nullptr);
    HWND close = CreateWindowA("BUTTON", "Close", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 0, 0, 10, 10, wnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseId)), inst, nullptr);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(close, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    layout(wnd);
    return wnd;
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR params, int show)
{
    Given given = splitParams(params);
    std::string folder = ownFolder();
    std::vector<std::string> files = filesIn(folder);

    std::string record = environment("ORREL_DEMO_RECORD");
    if (!record.empty()) {
        std::string text = given.params + "\n";
        for (const std::string& f : files) text += "library: " + f + "\n";
        writeFile(record, text);
    }

    HWND wnd = makeWindow(inst, report(given, folder, files));
    if (wnd) {
        int seconds = atoi(environment("ORREL_DEMO_AUTOCLOSE").c_str());
        if (seconds > 0) SetTimer(wnd, kAutoCloseTimer, static_cast<UINT>(seconds) * 1000, nullptr);
        ShowWindow(wnd, show);
        UpdateWindow(wnd);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (IsDialogMessageA(wnd, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (!record.empty()) writeFile(record + ".closed", "closed\n");
    return 0;
}
