// The progress dialog: brings the viewer's libraries from the server into the
// viewer folder, one by one, showing each transfer; or, for the project file,
// one file, shown only when it takes a while. It starts its work by posting
// itself the command of its hidden start button, so the work runs once the
// modal loop is up. Each transfer runs on a worker thread while the dialog
// goes on handling its messages, so Cancel stops it at any moment.
#pragma once
#include "fetch.h"
#include "framework/fwdialog.h"
#include "libraries.h"
#include "transfer.h"

class CDownDlg : public CDialog, private CLibraryFetcher {
public:
    explicit CDownDlg(CWnd* parent = nullptr);

    const char* className() const override { return "CDownDlg"; }

    // Brings one library from m_dllPath to destPath. The file appears there only
    // once the whole body has arrived.
    bool downloadFile(const char* destPath, const char* name);

    // Makes the dialog fetch url into dest instead of working through the
    // library list. It stays hidden unless the fetch takes a while; failures
    // are told without an owner, as for any project that cannot be read.
    void fetchOneFile(const char* url, const char* dest);

    cStringA m_dllPath;   // base URL of the libraries
    cStringA m_baseDlls;  // the ";"-separated library list
    cStringA m_firstDll;  // the list's first entry, for the caller
    CStatic m_status;
    CProgressCtrl m_progress;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void OnStart();

private:
    bool fetch(const char* dest, const char* entry) override;
    void placeList();
    void fetchSingle();
    // GETs url into file, the dialog's messages handled meanwhile. Tells the
    // user why when it fails (owner: the dialog, or none for a single file).
    bool transfer(const char* url, cFile& file, const char* name, bool mustBeImage);
    // Handles the dialog's messages until the transfer ends or is cancelled.
    void awaitTransfer();
    void onTransferEvent(WPARAM event);
    void showStatus(const char* name, bool busy);
    HWND messageOwner() const;
    void tell(const char* text);
    void fail(const char* text);

    CTransfer m_transfer;
    cStringA m_singleUrl;   // the one file to fetch, when the dialog has no list
    cStringA m_singleDest;
    const char* m_name = nullptr;  // the entry being fetched, as the list writes it
    DWORD m_lastLook = 0;          // tick count of the last progress update
    bool m_started = false;
    bool m_cancelled = false;
};
