#include "scratch.h"
#include <fstream>
#include <set>
#include <sstream>

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void removeTree(const std::string& path)
{
    WIN32_FIND_DATAA e;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &e);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = e.cFileName, full = path + "\\" + name;
            if (name == "." || name == "..") continue;
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

ScratchFolder::ScratchFolder()
{
    static int serial = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    m_path = std::string(temp) + "orrel-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    removeTree(m_path);
    CreateDirectoryA(m_path.c_str(), nullptr);
    m_path += "\\";
}

ScratchFolder::~ScratchFolder() { removeTree(m_path.substr(0, m_path.size() - 1)); }

namespace {

const int kMessageText = 0xFFFF;  // the static control that holds a message box's text

std::string textOf(HWND w)
{
    char text[2048] = "";
    SendMessageTimeoutA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

BOOL CALLBACK collectBox(HWND w, LPARAM list)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[16] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (pid == GetCurrentProcessId() && IsWindowVisible(w) && std::string(cls) == "#32770" && GetDlgItem(w, kMessageText))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    return TRUE;
}

}  // namespace

std::vector<HWND> visibleMessageBoxes()
{
    std::vector<HWND> boxes;
    EnumWindows(collectBox, reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}

BoxCloser::BoxCloser() : m_stop(CreateEventA(nullptr, TRUE, FALSE, nullptr)), m_thread([this] { run(); }) {}

BoxCloser::~BoxCloser()
{
    SetEvent(m_stop);
    m_thread.join();
    CloseHandle(m_stop);
}

void BoxCloser::run()
{
    // A box closed but not yet gone must not be counted twice; a later box may
    // come back under the same handle, so only the last round's are remembered.
    std::set<HWND> answered;
    do {
        std::vector<HWND> now = visibleMessageBoxes();
        for (HWND box : now) {
            if (answered.count(box)) continue;
            ShownBox seen{box, GetWindow(box, GW_OWNER), textOf(box), textOf(GetDlgItem(box, kMessageText))};
            {
                std::lock_guard<std::mutex> hold(m_lock);
                m_boxes.push_back(seen);
            }
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
        answered = std::set<HWND>(now.begin(), now.end());
    } while (WaitForSingleObject(m_stop, 10) == WAIT_TIMEOUT);
}

std::vector<ShownBox> BoxCloser::boxes()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_boxes;
}

std::vector<std::string> BoxCloser::texts()
{
    std::vector<std::string> out;
    for (const ShownBox& b : boxes()) out.push_back(b.text);
    return out;
}
