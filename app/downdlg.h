// The progress dialog: brings the viewer's libraries from the server into the
// viewer folder, one by one, showing each transfer. It starts its work by
// posting itself the command of its hidden start button, so the work runs once
// the modal loop is up; Cancel stops a transfer between two blocks.
#pragma once
#include "fetch.h"
#include "framework/dialog.h"
#include "libraries.h"

class CDownDlg : public CDialog, private CTransferWatcher, private CLibraryFetcher {
public:
    explicit CDownDlg(CWnd* parent = nullptr);

    const char* className() const override { return "CDownDlg"; }

    // Brings one library from m_dllPath to destPath. The file appears there only
    // once the whole body has arrived.
    bool downloadFile(const char* destPath, const char* name);

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
    void begin(__int64 length) override;
    bool advance(__int64 received) override;
    bool fetch(const char* dest, const char* entry) override;
    // Lets Cancel (and painting) through while a transfer runs.
    void pumpMessages();
    void fail(const char* text);

    cFileName m_part;              // where a body arrives before it is moved into place
    const char* m_name = nullptr;  // the entry being fetched, as the list writes it
    __int64 m_length = 0;
    DWORD m_lastLook = 0;  // tick count of the last progress update
    bool m_started = false;
    bool m_cancelled = false;
};
