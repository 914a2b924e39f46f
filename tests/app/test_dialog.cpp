#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <commctrl.h>
#include <cstring>
#include <functional>
#include "framework/dialog.h"
#include "framework/winapp.h"
#include "test_dialogs.h"

namespace {

// An empty string's text pointer is null; the tests compare texts.
std::string text(const cStringA& s) { return s.getPtr() ? s.getPtr() : ""; }

const int kScriptDidNotEnd = 999;

// A dialog from the tests' own resources. Like the progress dialog it posts itself a start
// command from its initialisation; the test's script runs in that command, inside the modal
// loop, and ends the dialog.
class TestDlg : public CDialog {
public:
    explicit TestDlg(CWnd* parent = nullptr) : CDialog(IDD_TEST, parent) {}
    const char* className() const override { return "TestDlg"; }

    void finish(int result)
    {
        ended = true;
        EndDialog(result);
    }
    LRESULT command(int id, int code = BN_CLICKED)
    {
        return SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(id)));
    }
    HWND item(int id) const { return GetDlgItem(id); }

    std::function<void(TestDlg&)> script;
    int pings = 0;
    int nameChanges = 0;
    cStringA name = "first";
    int number = -42;
    bool flag = true;
    CStatic status;
    CProgressCtrl bar;

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
    void OnCancel() override
    {
        ended = true;
        CDialog::OnCancel();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_STATUS_TEXT, status);
        DDX_Control(pDX, IDC_BAR, bar);
        DDX_Text(pDX, IDC_NAME, name);
        DDX_Text(pDX, IDC_NUMBER, number);
        DDX_Check(pDX, IDC_FLAG, flag);
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override
    {
        static const MessageMapEntry<TestDlg> map[] = {
            onCommand(IDC_GO, &TestDlg::OnGo),
            onCommand(IDC_PING, &TestDlg::OnPing),
            onCommand(IDC_NAME, &TestDlg::OnNameChange, EN_CHANGE),
            onMessage(WM_QUERYDRAGICON, &TestDlg::OnQueryDragIcon),
        };
        return dispatchMessage(*this, map, message, wParam, lParam, result);
    }

private:
    void OnGo()
    {
        if (script) script(*this);
        // A script that failed half-way must not leave the test waiting in the modal loop.
        if (!ended) EndDialog(kScriptDidNotEnd);
    }
    void OnPing() { ++pings; }
    void OnNameChange() { ++nameChanges; }
    INT_PTR OnQueryDragIcon(WPARAM, LPARAM) { return 0x1234; }

    bool ended = false;
};

class Dialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControls();
        kaErrorClear();
    }
};

TEST_F(Dialog, RunsModallyAndLetsGoOfTheWindowAtTheEnd)
{
    TestDlg dlg;
    HWND seen = nullptr;
    dlg.script = [&](TestDlg& d) {
        seen = d.m_hWnd;
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(&d), GetWindowLongPtrA(d.m_hWnd, DWLP_USER));
        d.finish(42);
    };
    EXPECT_EQ(42, dlg.DoModal());
    EXPECT_NE(nullptr, seen);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_STREQ("TestDlg", dlg.className());

    // The same object runs again.
    dlg.script = [](TestDlg& d) { d.finish(7); };
    EXPECT_EQ(7, dlg.DoModal());
}

TEST_F(Dialog, MessageMapDispatchesByIdNotificationAndMessage)
{
    TestDlg dlg;
    dlg.script = [](TestDlg& d) {
        int changesAtStart = d.nameChanges;
        d.command(IDC_PING);
        SendMessageA(d.item(IDC_PING), BM_CLICK, 0, 0);
        EXPECT_EQ(2, d.pings);
        d.command(IDC_PING, BN_DOUBLECLICKED);
        d.command(IDC_NUMBER, EN_CHANGE);
        EXPECT_EQ(2, d.pings) << "another notification of the same control is not a click";
        SetWindowTextA(d.item(IDC_NAME), "typed");
        EXPECT_EQ(changesAtStart + 1, d.nameChanges);
        EXPECT_EQ(0x1234, d.SendMessage(WM_QUERYDRAGICON));
        d.finish(IDRETRY);
    };
    EXPECT_EQ(IDRETRY, dlg.DoModal());
}

TEST_F(Dialog, OkTakesTheControlsAndCancelLeavesTheMembers)
{
    TestDlg ok;
    ok.script = [](TestDlg& d) {
        SetWindowTextA(d.item(IDC_NAME), "second");
        SetWindowTextA(d.item(IDC_NUMBER), " 17 ");
        SendMessageA(d.item(IDC_FLAG), BM_SETCHECK, BST_UNCHECKED, 0);
        d.command(IDOK);
    };
    EXPECT_EQ(IDOK, ok.DoModal());
    EXPECT_STREQ("second", ok.name);
    EXPECT_EQ(17, ok.number);
    EXPECT_FALSE(ok.flag);

    TestDlg cancel;
    cancel.script = [](TestDlg& d) {
        SetWindowTextA(d.item(IDC_NAME), "lost");
        d.command(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, cancel.DoModal());
    EXPECT_STREQ("first", cancel.name);
}

// The refusal's message box runs a modal loop of its own; this timer reads and closes it.
cStringA refusalShown;

BOOL CALLBACK findMessageBox(HWND window, LPARAM found)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (strcmp(name, "#32770") != 0 || !GetWindow(window, GW_OWNER)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

VOID CALLBACK closeMessageBox(HWND dialog, UINT, UINT_PTR timer, DWORD)
{
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findMessageBox, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    KillTimer(dialog, timer);
    refusalShown = windowText(GetDlgItem(box, 0xFFFF));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(Dialog, OkWithARefusedNumberTellsTheUserAndStaysOpen)
{
    TestDlg dlg;
    refusalShown = cStringA();
    dlg.script = [](TestDlg& d) {
        SetWindowTextA(d.item(IDC_NUMBER), "twelve");
        SetTimer(d.m_hWnd, 1, 50, closeMessageBox);
        d.command(IDOK);
        EXPECT_TRUE(IsWindow(d.m_hWnd));
        EXPECT_FALSE(kaErrorExist()) << "shown and cleared";
        d.finish(IDABORT);
    };
    EXPECT_EQ(IDABORT, dlg.DoModal());
    EXPECT_STREQ("Please enter a whole number.", text(refusalShown).c_str());
    EXPECT_EQ(-42, dlg.number);
}

TEST_F(Dialog, DataExchangeBothWaysAndRefusedNumbers)
{
    TestDlg dlg;
    dlg.script = [](TestDlg& d) {
        EXPECT_STREQ("first", windowText(d.item(IDC_NAME)));
        EXPECT_STREQ("-42", windowText(d.item(IDC_NUMBER)));
        EXPECT_EQ(BST_CHECKED, SendMessageA(d.item(IDC_FLAG), BM_GETCHECK, 0, 0));

        d.name = cStringA();
        d.number = 2147483647;
        d.flag = false;
        EXPECT_TRUE(d.UpdateData(false));
        EXPECT_EQ("", text(windowText(d.item(IDC_NAME))));
        EXPECT_STREQ("2147483647", windowText(d.item(IDC_NUMBER)));
        EXPECT_EQ(BST_UNCHECKED, SendMessageA(d.item(IDC_FLAG), BM_GETCHECK, 0, 0));

        const char* accepted[][2] = {{"-2147483648", "-2147483648"}, {"+5", "5"}, {"\t0 ", "0"}};
        for (auto& c : accepted) {
            SCOPED_TRACE(c[0]);
            SetWindowTextA(d.item(IDC_NUMBER), c[0]);
            EXPECT_TRUE(d.UpdateData(true));
            EXPECT_STREQ(c[1], cStringA().set(d.number));
        }
        d.number = 5;
        for (const char* text : {"", "12x", "2147483648", "-2147483649", "-", "1 2", "99999999999999999999"}) {
            SCOPED_TRACE(text);
            SetWindowTextA(d.item(IDC_NUMBER), text);
            SetWindowTextA(d.item(IDC_NAME), "kept?");
            kaErrorClear();
            EXPECT_FALSE(d.UpdateData(true));
            EXPECT_STREQ("Please enter a whole number.", kaErrorGetMsg());
            EXPECT_EQ(5, d.number);
            EXPECT_EQ(d.item(IDC_NUMBER), GetFocus());
        }
        d.finish(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
}

TEST_F(Dialog, BoundStaticAndProgressControls)
{
    TestDlg dlg;
    dlg.script = [](TestDlg& d) {
        EXPECT_EQ(d.item(IDC_STATUS_TEXT), d.status.m_hWnd);
        EXPECT_EQ(d.item(IDC_BAR), d.bar.m_hWnd);
        d.status.SetWindowText("Downloading a.dll...");
        EXPECT_STREQ("Downloading a.dll...", d.status.GetWindowText());
        d.status.SetWindowText(nullptr);
        EXPECT_EQ("", text(d.status.GetWindowText()));

        d.bar.SetRange(0, 100);
        EXPECT_EQ(0, d.bar.SetPos(40));
        EXPECT_EQ(40, d.bar.SetPos(100));
        EXPECT_EQ(100, d.bar.GetPos());
        d.bar.SetMarquee(true);
        EXPECT_TRUE(GetWindowLongPtrA(d.bar.m_hWnd, GWL_STYLE) & PBS_MARQUEE);
        d.bar.SetMarquee(false);
        EXPECT_FALSE(GetWindowLongPtrA(d.bar.m_hWnd, GWL_STYLE) & PBS_MARQUEE);
        d.bar.SetPos(30);
        EXPECT_EQ(30, d.bar.GetPos());
        d.finish(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("CStatic", dlg.status.className());
    EXPECT_STREQ("CProgressCtrl", dlg.bar.className());
}

// A dialog opened without a parent is owned by the application's main window, as the progress
// dialog is by the main dialog when Open starts it.
TEST_F(Dialog, OwnerIsTheParentOrElseTheMainWindow)
{
    CWinApp app("owner test");
    TestDlg main;
    app.m_pMainWnd = &main;
    HWND innerOwner = nullptr;
    HWND parentedOwner = nullptr;
    main.script = [&](TestDlg& outer) {
        TestDlg inner;
        inner.script = [&](TestDlg& d) {
            innerOwner = GetWindow(d.m_hWnd, GW_OWNER);
            d.finish(IDOK);
        };
        EXPECT_EQ(IDOK, inner.DoModal());

        CWnd parent;
        parent.m_hWnd = outer.item(IDC_PING);  // any window: the owner becomes its top-level window
        TestDlg parented(&parent);
        parented.script = [&](TestDlg& d) {
            parentedOwner = GetWindow(d.m_hWnd, GW_OWNER);
            d.finish(IDOK);
        };
        parented.DoModal();
        outer.finish(IDOK);
    };
    EXPECT_EQ(IDOK, main.DoModal());
    EXPECT_NE(nullptr, innerOwner);
    EXPECT_EQ(innerOwner, parentedOwner);

    // Without an application object or parent there is no owner.
    app.m_pMainWnd = nullptr;
    TestDlg alone;
    alone.script = [](TestDlg& d) { d.finish(GetWindow(d.m_hWnd, GW_OWNER) ? IDNO : IDYES); };
    EXPECT_EQ(IDYES, alone.DoModal());
}

TEST_F(Dialog, MissingTemplateFailsWithAMessage)
{
    CDialog missing(IDD_MISSING);
    EXPECT_EQ(-1, missing.DoModal());
    EXPECT_TRUE(kaErrorExist());
    EXPECT_STREQ("CDialog", missing.className());
}

}  // namespace
