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

BoxCloser::BoxCloser(std::vector<std::string>& texts) : seen(texts), worker([this] { run(); }) {}

BoxCloser::~BoxCloser()
{
    stop = true;
    worker.join();
}

void BoxCloser::run()
{
    const int kMessageText = 0xFFFF;  // the static control that holds a message box's text
    while (!stop) {
        HWND box = nullptr;
        while ((box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(box, &pid);
            if (pid != GetCurrentProcessId() || !IsWindowVisible(box)) continue;
            char text[1024] = {};
            GetDlgItemTextA(box, kMessageText, text, sizeof text);
            seen.push_back(text);
            SendMessageA(box, WM_COMMAND, IDOK, 0);
            break;
        }
        Sleep(20);
    }
}
