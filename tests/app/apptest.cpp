#include "apptest.h"
#include <fstream>
#include <sstream>
#include "ka.h"

ScratchFolder::ScratchFolder()
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int serial = 0;
    m_path = std::string(base) + "orrel-app-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(++serial) + "\\";
    CreateDirectoryA(m_path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { kaRemoveDirectory(m_path.c_str()); }

void ScratchFolder::write(const std::string& name, const std::string& bytes) const
{
    std::ofstream(file(name), std::ios::binary) << bytes;
}

std::string ScratchFolder::read(const std::string& name) const
{
    std::ifstream in(file(name), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

namespace {

std::string textOf(HWND w)
{
    char text[2048] = "";
    SendMessageTimeoutA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return text;
}

BOOL CALLBACK collectBox(HWND w, LPARAM list)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[16] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (pid == GetCurrentProcessId() && IsWindowVisible(w) && std::string(cls) == "#32770" &&
        GetDlgItem(w, 0xFFFF))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    return TRUE;
}

}  // namespace

MessageWatcher::MessageWatcher() : m_thread([this] { run(); }) {}

MessageWatcher::~MessageWatcher()
{
    m_stop = true;
    m_thread.join();
}

void MessageWatcher::run()
{
    while (!m_stop) {
        std::vector<HWND> boxes;
        EnumWindows(collectBox, reinterpret_cast<LPARAM>(&boxes));
        for (HWND box : boxes) answer(box);
        // A box that has gone may come back later under the same handle.
        m_answered = std::set<HWND>(boxes.begin(), boxes.end());
        Sleep(20);
    }
}

void MessageWatcher::answer(HWND box)
{
    if (m_answered.count(box)) return;
    std::string text = textOf(GetDlgItem(box, 0xFFFF));
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_texts.push_back(text);
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

std::vector<std::string> MessageWatcher::texts()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_texts;
}
