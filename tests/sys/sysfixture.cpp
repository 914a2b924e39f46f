#include "sysfixture.h"
#include <fstream>
#include <sstream>

std::string str(const cStringA& s) { return s.getPtr() ? s.getPtr() : ""; }

std::string errorText() { return str(kaErrorGetMsg()); }

std::string errorFullText() { return str(kaErrorGetMsgFull()); }

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool isFolder(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void removeTree(const std::string& path)
{
    WIN32_FIND_DATAA e;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &e);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = e.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = path + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(h, &e));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

bool runningOnWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

void TempFolder::SetUp()
{
    static int serial = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root = std::string(temp) + "orrel-sys-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++serial);
    removeTree(root);
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    root += "\\";
    kaErrorClear();
}

void TempFolder::TearDown()
{
    removeTree(root.substr(0, root.size() - 1));
    kaErrorClear();
}

namespace {

struct BoxSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK findBox(HWND hwnd, LPARAM param)
{
    BoxSearch* search = reinterpret_cast<BoxSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == search->process && std::string(cls) == "#32770" && IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

BoxCloser::BoxCloser() : worker([this] { run(); }) {}

BoxCloser::~BoxCloser()
{
    stop = true;
    worker.join();
}

std::vector<std::string> BoxCloser::texts()
{
    std::lock_guard<std::mutex> guard(lock);
    return seen;
}

void BoxCloser::run()
{
    const int kMessageText = 0xFFFF;  // the static control that holds a message box's text
    while (!stop) {
        BoxSearch search = {GetCurrentProcessId(), nullptr};
        EnumWindows(findBox, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            char text[1024] = {};
            GetDlgItemTextA(search.found, kMessageText, text, sizeof text);
            {
                std::lock_guard<std::mutex> guard(lock);
                seen.push_back(text);
            }
            SendMessageA(search.found, WM_COMMAND, IDOK, 0);
        }
        Sleep(20);
    }
}
