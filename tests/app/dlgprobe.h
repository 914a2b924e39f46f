// Pieces of the main dialog's tests: the real dialog run modally with a test
// script inside its modal loop, and a registry sandbox for the launcher's keys.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "apptest.h"
#include "launcherdlg.h"

// The launcher's keys under HKEY_CURRENT_USER (settings and per-user classes)
// are removed when the sandbox is made and when it ends; the launcher state's
// program path is set to a made-up one.
class RegistrySandbox {
public:
    explicit RegistrySandbox(const char* programPath = "C:\\Orrel Test\\orrel.exe");
    ~RegistrySandbox();
    static void clear();
};

// A value as stored: its type and its bytes read as text; type 0 when missing.
struct StoredValue {
    DWORD type = 0;
    std::string text;
};
StoredValue storedValue(HKEY root, const char* key, const char* name);
void storeValue(HKEY root, const char* key, const char* name, DWORD type, const void* data, DWORD size);
inline void storeText(HKEY root, const char* key, const char* name, const char* text, DWORD type = REG_SZ)
{
    storeValue(root, key, name, type, text, static_cast<DWORD>(strlen(text) + 1));
}

// The main dialog with the project pipeline replaced by a record of what Open
// asked for. Each step runs inside the modal loop, posted after the one before,
// so messages a step posts are handled before the next step looks.
class ProbeDlg : public CLauncherDlg {
public:
    typedef std::function<void(ProbeDlg&)> Step;

    // Runs the dialog through the steps; it ends with kProbeEnded after the
    // last one unless a step ended it.
    INT_PTR run(std::vector<Step> steps);
    static constexpr int kProbeEnded = 99;

    void click(int id);
    void setText(int id, const char* text);
    std::string text(int id) const;
    bool visible(int id) const;
    // Top of a control in the dialog's client coordinates.
    int top(int id) const;

    struct Opened {
        std::string location, extra;
    };
    std::vector<Opened> opened;
    bool openSucceeds = true;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    bool openLocation(const char* location, const char* extra) override;

private:
    std::vector<Step> m_steps;
    size_t m_next = 0;
};
