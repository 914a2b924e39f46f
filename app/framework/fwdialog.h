// Modal dialogs from dialog resources.
//
// The system calls one dialog procedure for every dialog; it finds the C++ object through the
// pointer stored with the window at WM_INITDIALOG and hands each message first to the derived
// dialog's message map (OnMessage), then to the few messages the base handles itself:
// WM_INITDIALOG (OnInitDialog), IDOK (OnOK) and IDCANCEL (OnCancel).
//
// A message map is a plain table, searched in order, written inside the dialog's OnMessage:
//
//     bool CMyDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
//     {
//         static const MessageMapEntry<CMyDlg> map[] = {
//             onCommand(IDC_START, &CMyDlg::OnStart),
//             onMessage(WM_QUERYDRAGICON, &CMyDlg::OnQueryDragIcon),
//         };
//         return dispatchMessage(*this, map, message, wParam, lParam, result);
//     }
#pragma once
#include <cstddef>
#include "fwwnd.h"

// One line of a message map: a message, or a command from a control with its notification
// code, and the member that handles it.
template <class T>
struct MessageMapEntry {
    UINT message;
    UINT id;    // commands only: the control or menu id
    UINT code;  // commands only: the notification code
    void (T::*commandHandler)();
    // Its result is the dialog procedure's: FALSE lets the system's default handling run, and for
    // the messages that answer with a value (WM_QUERYDRAGICON, WM_CTLCOLOR...) it is that value.
    INT_PTR (T::*messageHandler)(WPARAM, LPARAM);
};

template <class T>
MessageMapEntry<T> onCommand(UINT id, void (T::*handler)(), UINT code = BN_CLICKED)
{
    return {WM_COMMAND, id, code, handler, nullptr};
}

template <class T>
MessageMapEntry<T> onMessage(UINT message, INT_PTR (T::*handler)(WPARAM, LPARAM))
{
    return {message, 0, 0, nullptr, handler};
}

// Runs the first handler of the map that matches the message; false when none does.
template <class T, size_t N>
bool dispatchMessage(T& target, const MessageMapEntry<T> (&map)[N], UINT message, WPARAM wParam, LPARAM lParam,
                     INT_PTR& result)
{
    for (const MessageMapEntry<T>& entry : map) {
        if (entry.message != message) continue;
        if (entry.commandHandler) {
            if (entry.id != LOWORD(wParam) || entry.code != HIWORD(wParam)) continue;
            (target.*entry.commandHandler)();
            result = TRUE;
        } else {
            result = (target.*entry.messageHandler)(wParam, lParam);
        }
        return true;
    }
    return false;
}

class CDialog;

// One pass of data exchange between a dialog's controls and its members.
class CDataExchange {
public:
    CDataExchange(CDialog& dialog, bool saveAndValidate) : m_dialog(dialog), m_bSaveAndValidate(saveAndValidate) {}

    // The control with this id; null, and the exchange failed, when the dialog has none.
    HWND control(int id);
    // Ends the exchange: the message goes to the error channel and the control gets the focus.
    void fail(HWND control, const char* message);
    bool failed() const { return m_failed; }

private:
    CDialog& m_dialog;
    bool m_failed = false;

public:
    // true: controls to members (with validation); false: members to controls.
    const bool m_bSaveAndValidate;
};

// Binds a control object to the dialog's control (when filling the controls).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
void DDX_Text(CDataExchange* pDX, int id, cStringA& value);
// A text that is not a whole number fails the exchange and leaves the value as it was.
void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Check(CDataExchange* pDX, int id, bool& value);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    // The window may outlive the object only in error; it then no longer finds it.
    ~CDialog() override;

    const char* className() const override { return "CDialog"; }

    // Runs the dialog until EndDialog. The owner is the parent given at construction or else the
    // application's main window. -1, with the reason in the error channel, when the dialog cannot
    // be created.
    virtual INT_PTR DoModal();
    void EndDialog(int result) { ::EndDialog(m_hWnd, result); }
    // Runs DoDataExchange; false when a control's text was refused (the message is in the error
    // channel).
    bool UpdateData(bool saveAndValidate = true);

protected:
    // Fills the controls from the members; TRUE lets the system put the focus on the first control.
    virtual BOOL OnInitDialog();
    // Takes the controls' values and ends the dialog with IDOK, unless a value was refused.
    virtual void OnOK();
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void DoDataExchange(CDataExchange*) {}
    // The derived dialog's message map: true when a handler took the message.
    virtual bool OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    HWND owner() const;

    UINT m_templateId;
    CWnd* m_pParentWnd;
};
