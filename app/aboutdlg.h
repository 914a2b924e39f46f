// The About box, opened from the main dialog's system menu.
#pragma once
#include "framework/fwdialog.h"
#include "resource.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

    const char* className() const override { return "CAboutDlg"; }
};
