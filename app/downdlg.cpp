#include "downdlg.h"
#include <string>
#include "framework/fwwinapp.h"
#include "message.h"
#include "resource.h"

namespace {

const DWORD kLookInterval = 100;  // milliseconds between two looks at the progress bar
// A project fetch this quick shows nothing; a slower one shows the dialog so the user can cancel it.
const UINT_PTR kShowTimer = 1;
const UINT kShowDelay = 500;

// The application's name (its program file's name) is what the server sees us as.
cStringA agentName()
{
    CWinApp* app = CWinApp::current();
    return app ? app->m_appName : cStringA();
}

// The file name a URL ends in, without its query: what the user knows the file as.
cStringA fileNameOf(const char* url)
{
    const char* end = url;
    while (*end && *end != '?' && *end != '#') ++end;
    const char* begin = end;
    while (begin > url && begin[-1] != '/' && begin[-1] != '\\') --begin;
    return begin < end ? cStringA(std::string(begin, end).c_str()) : cStringA(url);
}

}  // namespace

CDownDlg::CDownDlg(CWnd* parent) : CDialog(IDD_DOWN_DIALOG, parent) {}

void CDownDlg::fetchOneFile(const char* url, const char* dest)
{
    m_singleUrl = url;
    m_singleDest = dest;
}

void CDownDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_STATUS, m_status);
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
}

bool CDownDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (message == WM_TRANSFER) {
        onTransferEvent(wParam);
        result = TRUE;
        return true;
    }
    if (message == WM_TIMER && wParam == kShowTimer) {
        KillTimer(m_hWnd, kShowTimer);
        showStatus(fileNameOf(m_singleUrl), true);
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        result = TRUE;
        return true;
    }
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
    // The worker writes nothing more once this returns; the caller of the
    // transfer deletes what it wrote before the dialog ends.
    m_transfer.cancel();
    CDialog::OnCancel();
}

HWND CDownDlg::messageOwner() const { return m_singleUrl.hasContent() ? nullptr : m_hWnd; }

void CDownDlg::tell(const char* text)
{
    // A project's messages stand alone: the dialog that fetched it goes first.
    if (!messageOwner()) ShowWindow(SW_HIDE);
    showLauncherMessage(messageOwner(), text);
}

void CDownDlg::fail(const char* text)
{
    tell(text);
    OnCancel();
}

void CDownDlg::OnStart()
{
    // The start button is hidden, but a second command must not run the work twice.
    if (m_started) return;
    m_started = true;
    if (m_singleUrl.hasContent())
        fetchSingle();
    else
        placeList();
}

void CDownDlg::placeList()
{
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
    // What a launcher that was ended mid-transfer left behind.
    deleteStaleSideFiles(folder);
    ShowWindow(SW_SHOWNORMAL);
    UpdateWindow();
    if (!placeLibraries(m_baseDlls, folder, m_firstDll, *this)) {
        if (!m_cancelled) OnCancel();
        return;
    }
    OnOK();
}

void CDownDlg::fetchSingle()
{
    cFile file;
    if (!file.createOver(m_singleDest)) {
        kaErrorShow(nullptr);
        OnCancel();
        return;
    }
    SetTimer(m_hWnd, kShowTimer, kShowDelay, nullptr);
    bool done = transfer(m_singleUrl, file, m_singleDest, false);
    KillTimer(m_hWnd, kShowTimer);
    if (!done) {
        file.kill();
        if (!m_cancelled) OnCancel();
        return;
    }
    file.close();
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
    // The body goes to a side file in the viewer folder first, so that a broken
    // or cancelled transfer never leaves a file under the library's name, which
    // the caching rule would then take for complete.
    cFile side;
    cFileName sideName;
    if (!createUniqueFile(side, sideName, getViewerFolder(), kSideExtension)) {
        tell(unwritableMessage(destPath));
        return false;
    }
    m_name = name;
    // Named at once, busy until the server says how long the file is: a slow
    // server then shows what it is slow with.
    showStatus(name, true);
    bool done = transfer(url, side, destPath, namesProgramImage(name));
    m_name = nullptr;
    if (!done) {
        side.kill();
        return false;
    }
    side.close();
    cFileName folder(cFileName(destPath).getDir());
    if ((!folder.isDirectory() && !folder.makeFolder()) || !kaRenameFile(sideName, destPath)) {
        tell(unwritableMessage(destPath));
        sideName.kill();
        return false;
    }
    return true;
}

bool CDownDlg::transfer(const char* url, cFile& file, const char* storedAs, bool mustBeImage)
{
    m_lastLook = 0;
    if (!m_transfer.start(agentName(), url, file.handle(), m_hWnd)) {
        TransferOutcome none;
        none.end = TransferEnd::unreachable;
        tell(transferMessage(none, url));
        return false;
    }
    awaitTransfer();
    if (m_cancelled) return false;
    TransferOutcome outcome = m_transfer.outcome();
    if (outcome.end == TransferEnd::writeFailed) {
        tell(unwritableMessage(storedAs, outcome.systemError));
        return false;
    }
    // A page answered in place of a library (an error page with status 200, a
    // portal's login) would be kept for ever: the caching rule never fetches again.
    if (outcome.end == TransferEnd::done && mustBeImage && !isWindowsImage(file.handle()))
        outcome.end = TransferEnd::notAnImage;
    if (outcome.end != TransferEnd::done) {
        tell(transferMessage(outcome, url));
        return false;
    }
    return true;
}

void CDownDlg::awaitTransfer()
{
    MSG message;
    while (!m_cancelled && !m_transfer.ended()) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            // Someone wants the program to end: stop, and leave the request for the loop above us.
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            OnCancel();
            return;
        }
        if (!IsDialogMessageA(m_hWnd, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void CDownDlg::showStatus(const char* name, bool busy)
{
    cStringA status("Downloading ");
    status << name << "...";
    m_status.SetWindowText(status);
    m_progress.SetRange(0, 100);
    m_progress.SetPos(0);
    // Without a length there is no share to show: the bar just says it is busy.
    m_progress.SetMarquee(busy);
}

void CDownDlg::onTransferEvent(WPARAM event)
{
    // A project fetch shows no share: its dialog appears only when it is slow.
    if (m_singleUrl.hasContent()) {
        m_transfer.moveSeen();
        return;
    }
    __int64 length = m_transfer.length();
    if (event == transferBegun && m_name) showStatus(m_name, length <= 0);
    if (event != transferMoved) return;
    // Repainting costs more than a block, or a small file: ten times a second is enough.
    DWORD now = GetTickCount();
    if (length > 0 && now - m_lastLook >= kLookInterval) {
        m_lastLook = now;
        __int64 received = m_transfer.received();
        m_progress.SetPos(static_cast<int>(received < length ? received * 100 / length : 100));
    }
    m_transfer.moveSeen();
}
