#include "downdlg.h"
#include "message.h"
#include "resource.h"

namespace {

const DWORD kLookInterval = 100;  // milliseconds between two looks at the window

}  // namespace

CDownDlg::CDownDlg(CWnd* parent) : CDialog(IDD_DOWN_DIALOG, parent) {}

void CDownDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_STATUS, m_status);
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
}

bool CDownDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    static const MessageMapEntry<CDownDlg> map[] = {
        onCommand(IDC_START, &CDownDlg::OnStart),
    };
    return dispatchMessage(*this, map, message, wParam, lParam, result);
}

BOOL CDownDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ShowWindow(SW_HIDE);
    PostMessage(WM_COMMAND, MAKEWPARAM(IDC_START, 0));
    return TRUE;
}

void CDownDlg::OnCancel()
{
    m_cancelled = true;
    CDialog::OnCancel();
}

void CDownDlg::fail(const char* text)
{
    showLauncherMessage(m_hWnd, text);
    OnCancel();
}

void CDownDlg::OnStart()
{
    // The start button is hidden, but a second command must not run the list twice.
    if (m_started) return;
    m_started = true;
    const char* folder = getViewerFolder();
    if (strLen(folder) == 0) {
        fail("Can not make viewer folder.");
        return;
    }
    // Every entry is checked before the first byte is fetched.
    cStringA problem = checkLibraryList(m_baseDlls, folder, m_dllPath);
    if (problem.hasContent()) {
        fail(problem);
        return;
    }
    ShowWindow(SW_SHOWNORMAL);
    UpdateWindow();
    if (!placeLibraries(m_baseDlls, folder, m_firstDll, *this)) {
        if (!m_cancelled) OnCancel();
        return;
    }
    OnOK();
}

bool CDownDlg::fetch(const char* dest, const char* entry)
{
    return !m_cancelled && downloadFile(dest, entry);
}

bool CDownDlg::downloadFile(const char* destPath, const char* name)
{
    cFileName url;
    url.fullWithDir(name, m_dllPath, nullptr);
    url.forUnix();
    // The body goes to a side name in the viewer folder first, so that a broken
    // or cancelled transfer never leaves a file under the library's name, which
    // the caching rule would then take for complete.
    // One side name serves the whole list (making one waits for the clock to
    // tick), as each body is moved away or deleted before the next arrives.
    if (m_part.isBlank()) m_part.getTempName(getViewerFolder(), ".part");
    m_name = name;
    FetchResult result = httpFetch(url, m_part, m_hWnd, this);
    m_name = nullptr;
    if (result != FetchResult::done) return false;
    cFileName folder(cFileName(destPath).getDir());
    if ((!folder.isDirectory() && !folder.makeFolder()) || !kaRenameFile(m_part, destPath)) {
        m_part.kill();
        return false;
    }
    return true;
}

void CDownDlg::begin(__int64 length)
{
    cStringA status("Downloading ");
    status << m_name << "...";
    m_status.SetWindowText(status);
    m_length = length;
    m_progress.SetRange(0, 100);
    m_progress.SetPos(0);
    // Without a length there is no share to show: the bar just says it is busy.
    m_progress.SetMarquee(length <= 0);
}

bool CDownDlg::advance(__int64 received)
{
    // Repainting and asking for messages cost more than a block, or a small
    // file: do both ten times a second, whatever the sizes of the files.
    DWORD now = GetTickCount();
    if (now - m_lastLook < kLookInterval) return !m_cancelled;
    m_lastLook = now;
    if (m_length > 0) m_progress.SetPos(static_cast<int>(received < m_length ? received * 100 / m_length : 100));
    pumpMessages();
    return !m_cancelled;
}

void CDownDlg::pumpMessages()
{
    MSG message;
    while (!m_cancelled && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Someone wants the program to end: stop, and leave the request for the loop above us.
            PostQuitMessage(static_cast<int>(message.wParam));
            OnCancel();
            return;
        }
        if (!IsDialogMessageA(m_hWnd, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}
