// The main dialog: a project location box with the recent projects, Browse and
// Open, the proxy-server settings, Delete Caches and the maker's web site. Its
// two pages, Project and Proxy Server, share one area of the window.
#pragma once
#include "framework/fwdialog.h"
#include "framework/fwstringarray.h"
#include "resource.h"

class CLauncherDlg : public CDialog {
public:
    explicit CLauncherDlg(CWnd* parent = nullptr);

    const char* className() const override { return "CLauncherDlg"; }

    HICON m_hIcon;
    CStringArray m_recentUrls;
    bool m_useProxy = false;
    cStringA m_proxyAddress;
    int m_proxyPort = 0;
    bool m_bypassLocal = false;

protected:
    BOOL OnInitDialog() override;
    // Both store the recent list before the dialog ends.
    void OnOK() override;
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

    // The settings store (settings.cpp) and the file association (assoc.cpp).
    void loadProxySettings();
    void saveProxySettings();
    void registerFileType();

    void showProjectPage();
    void showProxyPage();
    void showProxySettings();

    void OnWebSite();
    void OnBrowse();
    void OnOpen();
    void OnUseProxy();
    void OnApply();
    void OnDeleteCaches();
    INT_PTR OnSysCommand(WPARAM command, LPARAM);
    INT_PTR OnPaint(WPARAM, LPARAM);
    INT_PTR OnQueryDragIcon(WPARAM, LPARAM);

    // Runs the project pipeline on a location and starts its viewer; false when
    // the project could not be opened (the user has been told why).
    virtual bool openLocation(const char* location, const char* extra);

private:
    bool isChecked(int id) const;
    void enableProxyFields(bool on);
};
