#include "fwdialog.h"
#include <climits>
#include "fwwinapp.h"
#include "core/cstr.h"

namespace {

// A whole number with optional blanks around it and an optional sign, within the range of int.
bool parseWholeNumber(const char* text, int& value)
{
    const char* p = text ? text : "";
    p = strSkipWhite(p);
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    if (*p < '0' || *p > '9') return false;
    long long number = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        number = number * 10 + (*p - '0');
        if (number > 1LL + INT_MAX) return false;
    }
    p = strSkipWhite(p);
    if (*p) return false;
    if (negative) number = -number;
    if (number < INT_MIN || number > INT_MAX) return false;
    value = static_cast<int>(number);
    return true;
}

}  // namespace

HWND CDataExchange::control(int id)
{
    HWND window = m_dialog.GetDlgItem(id);
    if (!window) {
        cStringA text("The dialog has no control ");
        text << id << ".";
        fail(nullptr, text);
    }
    return window;
}

void CDataExchange::fail(HWND control, const char* message)
{
    if (m_failed) return;
    m_failed = true;
    kaErrorSetMsg(message);
    if (control) SetFocus(control);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (!pDX->failed()) control.m_hWnd = pDX->control(id);
}

void DDX_Text(CDataExchange* pDX, int id, cStringA& value)
{
    HWND control = pDX->failed() ? nullptr : pDX->control(id);
    if (!control) return;
    if (pDX->m_bSaveAndValidate) value = windowText(control);
    else SetWindowTextA(control, value.getPtr() ? value.getPtr() : "");
}

void DDX_Text(CDataExchange* pDX, int id, int& value)
{
    HWND control = pDX->failed() ? nullptr : pDX->control(id);
    if (!control) return;
    if (pDX->m_bSaveAndValidate) {
        if (!parseWholeNumber(windowText(control), value)) pDX->fail(control, "Please enter a whole number.");
    } else {
        cStringA text;
        text.set(value);
        SetWindowTextA(control, text);
    }
}

void DDX_Check(CDataExchange* pDX, int id, bool& value)
{
    HWND control = pDX->failed() ? nullptr : pDX->control(id);
    if (!control) return;
    if (pDX->m_bSaveAndValidate) value = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    else SendMessageA(control, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog()
{
    if (m_hWnd) SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
}

HWND CDialog::owner() const
{
    if (m_pParentWnd) return m_pParentWnd->m_hWnd;
    CWinApp* app = CWinApp::current();
    return app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
}

INT_PTR CDialog::DoModal()
{
    CWinApp* app = CWinApp::current();
    HINSTANCE instance = app && app->m_hInstance ? app->m_hInstance : GetModuleHandleA(nullptr);
    INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(m_templateId), owner(), dialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (result == -1) kaErrorSetSystem("Can not create the dialog.");
    return result;
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange exchange(*this, saveAndValidate);
    DoDataExchange(&exchange);
    return !exchange.failed();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(true)) {
        EndDialog(IDOK);
        return;
    }
    // The refused control has the focus; the user corrects it and tries again.
    kaErrorShow(m_hWnd);
}

INT_PTR CALLBACK CDialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = window;
    }
    // Null before WM_INITDIALOG (WM_SETFONT comes first) and after the object let go of the window.
    CDialog* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!dialog) return FALSE;
    INT_PTR result = dialog->handle(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        dialog->m_hWnd = nullptr;
    }
    return result;
}

INT_PTR CDialog::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = FALSE;
    if (OnMessage(message, wParam, lParam, result)) return result;
    if (message == WM_INITDIALOG) return OnInitDialog();
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
    }
    return FALSE;
}
