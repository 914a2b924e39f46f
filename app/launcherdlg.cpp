#include "launcherdlg.h"
#include <commdlg.h>
#include "aboutdlg.h"
#include "buildconfig.h"
#include "folders.h"
#include "launch.h"
#include "location.h"
#include "settings.h"

namespace {

const int kProjectPage[] = {IDC_URL_LABEL, IDC_URL, IDC_BROWSE, IDC_OPEN};
const int kProxyPage[] = {IDC_USE_PROXY,  IDC_ADDRESS_LABEL, IDC_PROXY_ADDRESS, IDC_PORT_LABEL,
                          IDC_PROXY_PORT, IDC_BYPASS_LOCAL,  IDC_APPLY};
const int kProxyFields[] = {IDC_PROXY_ADDRESS, IDC_PROXY_PORT, IDC_BYPASS_LOCAL};

template <size_t N>
void showControls(HWND dialog, const int (&ids)[N], bool show)
{
    for (int id : ids) {
        HWND control = GetDlgItem(dialog, id);
        if (!control) continue;
        if (show) {
            ShowWindow(control, SW_SHOWNA);
            UpdateWindow(control);
        } else {
            ShowWindow(control, SW_HIDE);
        }
    }
}

template <size_t N>
void enableControls(HWND dialog, const int (&ids)[N], bool on)
{
    for (int id : ids) EnableWindow(GetDlgItem(dialog, id), on);
}

int controlTop(HWND dialog, int id)
{
    RECT r = {};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    return r.top;
}

// Moves a child window within its parent, keeping its size.
void offsetControl(HWND control, int dx, int dy)
{
    RECT r;
    if (!GetWindowRect(control, &r)) return;
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(control, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(control, nullptr, TRUE);
}

void setCheck(HWND dialog, int id, bool on)
{
    SendDlgItemMessageA(dialog, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void addAboutItem(HWND dialog)
{
    char text[256] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof text);
    HMENU menu = GetSystemMenu(dialog, FALSE);
    if (!text[0] || !menu) return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
}

// The file-open dialog of old: the 76-byte structure, one filter, no owner.
cStringA browseForProject()
{
    char name[MAX_PATH] = "";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.lpstrFilter = "Project Files (*.orp)\0*.orp\0";
    ofn.lpstrFile = name;
    ofn.nMaxFile = sizeof name;
    ofn.Flags = OFN_HIDEREADONLY;
    return GetOpenFileNameA(&ofn) ? cStringA(name) : cStringA();
}

}  // namespace

CLauncherDlg::CLauncherDlg(CWnd* parent)
    : CDialog(IDD_LAUNCHER_DIALOG, parent),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)))
{
}

bool CLauncherDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    static const MessageMapEntry<CLauncherDlg> map[] = {
        onMessage(WM_SYSCOMMAND, &CLauncherDlg::OnSysCommand),
        onMessage(WM_PAINT, &CLauncherDlg::OnPaint),
        onMessage(WM_QUERYDRAGICON, &CLauncherDlg::OnQueryDragIcon),
        onCommand(IDC_WEBSITE, &CLauncherDlg::OnWebSite),
        onCommand(IDC_BROWSE, &CLauncherDlg::OnBrowse),
        onCommand(IDC_OPEN, &CLauncherDlg::OnOpen),
        onCommand(IDC_USE_PROXY, &CLauncherDlg::OnUseProxy),
        onCommand(IDC_PROJECT_PAGE, &CLauncherDlg::showProjectPage),
        onCommand(IDC_PROXY_PAGE, &CLauncherDlg::showProxyPage),
        onCommand(IDC_APPLY, &CLauncherDlg::OnApply),
        onCommand(IDC_DELETE_CACHES, &CLauncherDlg::OnDeleteCaches),
    };
    return dispatchMessage(*this, map, message, wParam, lParam, result);
}

BOOL CLauncherDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    addAboutItem(m_hWnd);
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    kaInitialize(GetModuleHandleA(nullptr), m_hWnd, "Orrel");
    registerFileType();
    SetWindowText("Orrel");

    loadRecentUrls(m_recentUrls);
    HWND box = GetDlgItem(IDC_URL);
    for (int i = 0; i < m_recentUrls.GetSize(); i++) CbAddString(box, m_recentUrls.GetAt(i));
    loadProxySettings();
    showProxySettings();

    // The Proxy Server page is laid out below the Project page; both are shown in one place.
    int dy = controlTop(m_hWnd, IDC_URL_LABEL) - controlTop(m_hWnd, IDC_USE_PROXY);
    for (int id : kProxyPage) offsetControl(GetDlgItem(id), 0, dy);
    showProjectPage();
    return TRUE;
}

void CLauncherDlg::OnOK()
{
    saveRecentUrls(m_recentUrls);
    CDialog::OnOK();
}

void CLauncherDlg::OnCancel()
{
    saveRecentUrls(m_recentUrls);
    CDialog::OnCancel();
}

void CLauncherDlg::showProjectPage()
{
    showControls(m_hWnd, kProxyPage, false);
    showControls(m_hWnd, kProjectPage, true);
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDC_URL)), TRUE);
}

void CLauncherDlg::showProxyPage()
{
    showControls(m_hWnd, kProjectPage, false);
    showControls(m_hWnd, kProxyPage, true);
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDC_USE_PROXY)), TRUE);
}

void CLauncherDlg::showProxySettings()
{
    setCheck(m_hWnd, IDC_USE_PROXY, m_useProxy);
    enableProxyFields(m_useProxy);
    // Switched off, the fields keep whatever they show.
    if (!m_useProxy) return;
    SetDlgItemTextA(m_hWnd, IDC_PROXY_ADDRESS, m_proxyAddress.hasContent() ? m_proxyAddress.getPtr() : "");
    SetDlgItemInt(m_hWnd, IDC_PROXY_PORT, static_cast<UINT>(m_proxyPort), TRUE);
    setCheck(m_hWnd, IDC_BYPASS_LOCAL, m_bypassLocal);
}

bool CLauncherDlg::isChecked(int id) const
{
    return IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
}

void CLauncherDlg::enableProxyFields(bool on)
{
    enableControls(m_hWnd, kProxyFields, on);
}

void CLauncherDlg::OnUseProxy()
{
    enableProxyFields(isChecked(IDC_USE_PROXY));
}

void CLauncherDlg::OnApply()
{
    m_useProxy = isChecked(IDC_USE_PROXY);
    if (m_useProxy) {
        m_proxyAddress = windowText(GetDlgItem(IDC_PROXY_ADDRESS));
        m_proxyPort = windowText(GetDlgItem(IDC_PROXY_PORT)).toInt();
        m_bypassLocal = isChecked(IDC_BYPASS_LOCAL);
    } else {
        m_proxyAddress.setBlank();
        m_proxyPort = 0;
        m_bypassLocal = false;
    }
    saveProxySettings();
}

void CLauncherDlg::OnBrowse()
{
    cStringA path = browseForProject();
    if (path.hasContent()) SetDlgItemTextA(m_hWnd, IDC_URL, path);
}

void CLauncherDlg::OnOpen()
{
    cStringA text = windowText(GetDlgItem(IDC_URL));
    if (text.isBlank()) return;
    cStringA entry = withWebScheme(text);
    LocationBuffer location;
    cStringA extra;
    if (!splitLocation(m_hWnd, entry, location, extra)) return;
    // Typed names are not resolved against the launcher's folder, unlike the command line's.
    if (openLocation(location, extra)) addRecentUrl(m_recentUrls, entry);
}

bool CLauncherDlg::openLocation(const char* location, const char* extra)
{
    return openAndStart(m_hWnd, location, extra);
}

void CLauncherDlg::OnWebSite()
{
    launchDocument(ORREL_WEBSITE, nullptr);
}

void CLauncherDlg::OnDeleteCaches()
{
    deleteCaches();
}

INT_PTR CLauncherDlg::OnSysCommand(WPARAM command, LPARAM)
{
    // The low four bits of a system command are the system's own.
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return FALSE;
    CAboutDlg about;
    about.DoModal();
    return TRUE;
}

INT_PTR CLauncherDlg::OnPaint(WPARAM, LPARAM)
{
    if (!IsIconic(m_hWnd)) return FALSE;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    RECT r;
    GetClientRect(m_hWnd, &r);
    int x = (r.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (r.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &ps);
    return TRUE;
}

INT_PTR CLauncherDlg::OnQueryDragIcon(WPARAM, LPARAM)
{
    return reinterpret_cast<INT_PTR>(m_hIcon);
}
