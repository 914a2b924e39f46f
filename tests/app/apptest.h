// Shared pieces of the launcher's in-process tests: a scratch folder, files in
// it, and a watcher that reads and closes the message boxes the code under test
// shows, so that no test waits for a user.
#pragma once
#include <windows.h>
#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>
#include "ka.h"

// A string's text, empty for the empty string (whose pointer is null).
inline std::string text(const cStringA& s) { return s.hasContent() ? s.getPtr() : ""; }

// A fresh folder under the system's temp folder, removed with all it holds.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    // The folder with a trailing backslash.
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + name; }
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

private:
    std::string m_path;
};

// Closes (with OK) every message box this process shows while it lives.
class MessageWatcher {
public:
    MessageWatcher();
    ~MessageWatcher();
    // The texts of the boxes shown, in order.
    std::vector<std::string> texts();

private:
    void run();
    void answer(HWND box);

    std::atomic<bool> m_stop{false};
    std::mutex m_lock;
    std::vector<std::string> m_texts;
    std::set<HWND> m_answered;
    std::thread m_thread;
};
