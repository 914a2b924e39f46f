// Windows as the launcher's dialogs see them: a handle with a few thin calls, and the two
// controls the progress dialog drives. Objects refer to windows the system owns; they neither
// create nor destroy them.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "ka.h"
#include "fwobject.h"

class CWnd : public CObject {
public:
    CWnd() = default;
    // A copy would be a second owner of one window's state: windows are referred to, not copied.
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    const char* className() const override { return "CWnd"; }

    HWND GetSafeHwnd() const { return m_hWnd; }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text ? text : ""); }
    cStringA GetWindowText() const;
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }

    HWND m_hWnd = nullptr;
};

// The text of any window, however long.
cStringA windowText(HWND window);

class CStatic : public CWnd {
public:
    const char* className() const override { return "CStatic"; }
};

class CProgressCtrl : public CWnd {
public:
    const char* className() const override { return "CProgressCtrl"; }

    void SetRange(int lower, int upper) { SendMessage(PBM_SETRANGE32, lower, upper); }
    // Returns the previous position.
    int SetPos(int position) { return static_cast<int>(SendMessage(PBM_SETPOS, position)); }
    int GetPos() { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    // An indeterminate bar for a transfer of unknown length; off returns to the position bar.
    void SetMarquee(bool on, UINT intervalMs = 30);
};
