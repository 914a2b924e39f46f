#include "dlgprobe.h"
#include "state.h"

namespace {

const UINT kNextStep = WM_APP + 77;
const char* const kLauncherKeys[] = {"Software\\Kestrine", "Software\\Classes\\.orp",
                                     "Software\\Classes\\Kestrine.orp"};

}  // namespace

RegistrySandbox::RegistrySandbox(const char* programPath)
{
    clear();
    strCopyN(theLauncher.programPath, programPath, sizeof theLauncher.programPath - 1);
}

RegistrySandbox::~RegistrySandbox() { clear(); }

void RegistrySandbox::clear()
{
    for (const char* key : kLauncherKeys) RegDeleteTreeA(HKEY_CURRENT_USER, key);
}

StoredValue storedValue(HKEY root, const char* key, const char* name)
{
    StoredValue value;
    char data[2048] = "";
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    HKEY k;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &k) != ERROR_SUCCESS) return value;
    if (RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS) {
        value.type = type;
        value.text.assign(data, strnlen(data, size));
    }
    RegCloseKey(k);
    return value;
}

void storeValue(HKEY root, const char* key, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY k;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) != ERROR_SUCCESS) return;
    RegSetValueExA(k, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(k);
}

INT_PTR ProbeDlg::run(std::vector<Step> steps)
{
    m_steps = std::move(steps);
    m_next = 0;
    // The dialog registers itself as the application's top window; later tests
    // must not find their message boxes owned by a window that is gone.
    HINSTANCE instance = kaGetInstance();
    HWND top = QueryAppTopWindow();
    cStringA name = QueryAppName();
    INT_PTR result = DoModal();
    kaInitialize(instance, top, name);
    return result;
}

BOOL ProbeDlg::OnInitDialog()
{
    BOOL result = CLauncherDlg::OnInitDialog();
    PostMessage(kNextStep);
    return result;
}

bool ProbeDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (message != kNextStep) return CLauncherDlg::OnMessage(message, wParam, lParam, result);
    if (m_next < m_steps.size()) {
        m_steps[m_next++](*this);
        PostMessage(kNextStep);
    } else {
        // Not through OnCancel: a test that wants the closing code runs it itself.
        EndDialog(kProbeEnded);
    }
    result = TRUE;
    return true;
}

bool ProbeDlg::openLocation(const char* location, const char* extra)
{
    opened.push_back({location ? location : "", extra ? extra : ""});
    return openSucceeds;
}

void ProbeDlg::click(int id)
{
    SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(id)));
}

void ProbeDlg::setText(int id, const char* text) { SetDlgItemTextA(m_hWnd, id, text); }

std::string ProbeDlg::text(int id) const
{
    return ::text(windowText(GetDlgItem(id)));
}

// The control's own state: the dialog itself is shown only once its queue runs empty.
bool ProbeDlg::visible(int id) const { return (GetWindowLongA(GetDlgItem(id), GWL_STYLE) & WS_VISIBLE) != 0; }

int ProbeDlg::top(int id) const
{
    RECT r = {};
    GetWindowRect(GetDlgItem(id), &r);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    return r.top;
}
