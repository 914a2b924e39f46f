// Test support shared by the suites: a fresh folder per test, removed with plain
// system calls (never with the code under test), and a closer for the message
// boxes the code under test shows, so that no test waits for a user.
#pragma once
#include <windows.h>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

void writeBytes(const std::string& path, const std::string& bytes);
std::string readBytes(const std::string& path);
bool exists(const std::string& path);
void removeTree(const std::string& path);

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder with a trailing backslash.
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + name; }
    void write(const std::string& name, const std::string& bytes) const { writeBytes(file(name), bytes); }
    std::string read(const std::string& name) const { return readBytes(file(name)); }

private:
    std::string m_path;
};

struct ShownBox {
    HWND window, owner;
    std::string caption, text;
};

// The visible message boxes of this process: dialogs with the static text
// control every message box has (their caption may be empty).
std::vector<HWND> visibleMessageBoxes();

// Closes with OK every message box this process shows while it lives.
class BoxCloser {
public:
    BoxCloser();
    ~BoxCloser();
    BoxCloser(const BoxCloser&) = delete;
    BoxCloser& operator=(const BoxCloser&) = delete;

    // The boxes closed so far, in order.
    std::vector<ShownBox> boxes();
    std::vector<std::string> texts();

private:
    void run();

    HANDLE m_stop;
    std::mutex m_lock;
    std::vector<ShownBox> m_boxes;
    std::thread m_thread;
};
