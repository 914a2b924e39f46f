#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include "apptest.h"
#include "framework/fwdialog.h"
#include "test_dialogs.h"

namespace {

const int kScriptDidNotEnd = 999;

// A dialog from the tests' own resources. Like the progress dialog it posts itself a start
// command from its initialisation; the test's script runs in that command, inside the modal
// loop, and ends the dialog.
class TestDlg : public CDialog {
public:
    TestDlg() : CDialog(IDD_TEST) {}
    const char* className() const override { return "TestDlg"; }

    void command(int id) { SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void setText(int id, const char* text) { ::SetWindowTextA(GetDlgItem(id), text); }

    std::function<void(TestDlg&)> script;
    int number = -42;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        PostMessage(WM_COMMAND, IDC_GO);
        return TRUE;
    }
    void OnOK() override
    {
        ended = true;
        CDialog::OnOK();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NUMBER, number);
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override
    {
        static const MessageMapEntry<TestDlg> map[] = {onCommand(IDC_GO, &TestDlg::OnGo)};
        return dispatchMessage(*this, map, message, wParam, lParam, result);
    }

private:
    void OnGo()
    {
        if (script) script(*this);
        // A script that failed half-way must not leave the test waiting in the modal loop.
        if (!ended) EndDialog(kScriptDidNotEnd);
    }

    bool ended = false;
};

TEST(Dialog, ARefusedNumberIsShownAndKeepsTheDialogOpenUntilANumberFits)
{
    BoxCloser watcher;
    TestDlg dlg;
    dlg.script = [](TestDlg& d) {
        for (const char* text : {"", "12x", "2147483648"}) {
            SCOPED_TRACE(text);
            d.setText(IDC_NUMBER, text);
            kaErrorClear();
            EXPECT_FALSE(d.UpdateData(true));
            EXPECT_STREQ("Please enter a whole number.", kaErrorGetMsg());
            EXPECT_EQ(d.GetDlgItem(IDC_NUMBER), GetFocus());
        }
        d.command(IDOK);
        EXPECT_TRUE(IsWindow(d.m_hWnd));
        EXPECT_FALSE(kaErrorExist()) << "shown and cleared";
        EXPECT_EQ(-42, d.number);
        d.setText(IDC_NUMBER, " -2147483648 ");
        d.command(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(-2147483647 - 1, dlg.number);
    EXPECT_EQ(watcher.texts(), std::vector<std::string>{"Please enter a whole number."});
}

}  // namespace
