#include <gtest/gtest.h>
#include <string>
#include "dlgprobe.h"

namespace {

const char kSettings[] = "Software\\Kestrine\\Orrel";

// Template positions (dialog units) of the Proxy Server page's controls.
const struct {
    int id, y;
} kProxyLayout[] = {{IDC_USE_PROXY, 63},  {IDC_ADDRESS_LABEL, 78}, {IDC_PROXY_ADDRESS, 78}, {IDC_PORT_LABEL, 95},
                    {IDC_PROXY_PORT, 95}, {IDC_BYPASS_LOCAL, 111}, {IDC_APPLY, 129}};
const int kProjectIds[] = {IDC_URL_LABEL, IDC_URL, IDC_BROWSE, IDC_OPEN};

int pixelsDown(HWND dialog, int y)
{
    RECT r = {0, y, 0, y};
    MapDialogRect(dialog, &r);
    return r.top;
}

void expectPage(ProbeDlg& d, bool project)
{
    for (int id : kProjectIds) EXPECT_EQ(d.visible(id), project) << id;
    for (auto c : kProxyLayout) EXPECT_EQ(d.visible(c.id), !project) << c.id;
    HWND focus = GetFocus();
    HWND expected = d.GetDlgItem(project ? IDC_URL : IDC_USE_PROXY);
    EXPECT_TRUE(focus == expected || GetParent(focus) == expected);
}

TEST(LauncherDialog, TheTwoPagesShareOneArea)
{
    RegistrySandbox sandbox;
    ProbeDlg dlg;
    dlg.run({[](ProbeDlg& d) {
        expectPage(d, true);
        // The page moved up as one block: the check box where the URL label is.
        int dy = pixelsDown(d.m_hWnd, 7) - pixelsDown(d.m_hWnd, 63);
        EXPECT_EQ(d.top(IDC_USE_PROXY), d.top(IDC_URL_LABEL));
        for (auto c : kProxyLayout) EXPECT_EQ(d.top(c.id), pixelsDown(d.m_hWnd, c.y) + dy) << c.id;
        EXPECT_EQ(d.top(IDC_WEBSITE), pixelsDown(d.m_hWnd, 199)) << "controls of both pages stay";

        d.click(IDC_PROXY_PAGE);
        expectPage(d, false);
        d.click(IDC_PROJECT_PAGE);
        expectPage(d, true);
    }});
}

TEST(LauncherDialog, OpenAddsHttpToWwwAndSplitsAtTheQuestionMark)
{
    RegistrySandbox sandbox;
    ProbeDlg dlg;
    dlg.run({[](ProbeDlg& d) {
        d.click(IDC_OPEN);
        EXPECT_TRUE(d.opened.empty()) << "an empty box opens nothing";
        for (const char* text : {"www.example.org/a.orp?x?y", "WWW.EXAMPLE.ORG/b.orp", "wwwx.example.org/c.orp",
                                 "C:\\projects\\d.orp?p"}) {
            d.setText(IDC_URL, text);
            d.click(IDC_OPEN);
        }
        ASSERT_EQ(d.opened.size(), 4u);
        EXPECT_EQ(d.opened[0].location, "http://www.example.org/a.orp");
        EXPECT_EQ(d.opened[0].extra, "x");
        EXPECT_EQ(d.opened[1].location, "http://WWW.EXAMPLE.ORG/b.orp");
        EXPECT_EQ(d.opened[1].extra, "");
        EXPECT_EQ(d.opened[2].location, "wwwx.example.org/c.orp");
        EXPECT_EQ(d.opened[3].location, "C:\\projects\\d.orp") << "typed names stay as typed";
        EXPECT_EQ(d.opened[3].extra, "p");
        EXPECT_TRUE(d.urlList().empty()) << "the box is filled once, when the dialog opens";
    }});
    ASSERT_EQ(dlg.m_recentUrls.GetSize(), 4);
    EXPECT_STREQ(dlg.m_recentUrls.GetAt(0), "C:\\projects\\d.orp?p");
    EXPECT_STREQ(dlg.m_recentUrls.GetAt(3), "http://www.example.org/a.orp?x?y");
}

TEST(LauncherDialog, AFailedOpenChangesNothing)
{
    RegistrySandbox sandbox;
    storeText(HKEY_CURRENT_USER, kSettings, "A", "http://h/old.orp");
    ProbeDlg dlg;
    dlg.openSucceeds = false;
    dlg.run({[](ProbeDlg& d) {
        EXPECT_EQ(d.urlList(), std::vector<std::string>{"http://h/old.orp"});
        d.setText(IDC_URL, "http://h/new.orp");
        d.click(IDC_OPEN);
        EXPECT_EQ(d.opened.size(), 1u);
        EXPECT_EQ(d.text(IDC_URL), "http://h/new.orp");
    }});
    ASSERT_EQ(dlg.m_recentUrls.GetSize(), 1);
    EXPECT_STREQ(dlg.m_recentUrls.GetAt(0), "http://h/old.orp");
}

TEST(LauncherDialog, EnterInTheUrlBoxOpens)
{
    RegistrySandbox sandbox;
    ProbeDlg dlg;
    dlg.run({
        [](ProbeDlg& d) {
            d.setText(IDC_URL, "http://h/enter.orp");
            HWND edit = GetFocus();
            PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
            PostMessageA(edit, WM_KEYUP, VK_RETURN, 0);
        },
        [](ProbeDlg& d) {
            ASSERT_EQ(d.opened.size(), 1u);
            EXPECT_EQ(d.opened[0].location, "http://h/enter.orp");
        },
    });
}

TEST(LauncherDialog, EveryWayOfClosingStoresTheRecentList)
{
    const struct {
        const char* how;
        std::function<void(ProbeDlg&)> close;
        INT_PTR result;
    } ways[] = {
        {"Close button", [](ProbeDlg& d) { d.click(IDOK); }, IDOK},
        {"title bar", [](ProbeDlg& d) { d.PostMessage(WM_CLOSE); }, IDCANCEL},
        {"Escape", [](ProbeDlg&) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }, IDCANCEL},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        RegistrySandbox sandbox;
        ProbeDlg dlg;
        INT_PTR result = dlg.run({
            [](ProbeDlg& d) {
                d.setText(IDC_URL, "http://h/kept.orp");
                d.click(IDC_OPEN);
            },
            way.close,
            [](ProbeDlg&) {},  // time for what the closing posted
        });
        EXPECT_EQ(result, way.result);
        EXPECT_EQ(storedValue(HKEY_CURRENT_USER, kSettings, "A").text, "http://h/kept.orp");
    }
}

TEST(LauncherDialog, OpeningRegistersTheAboutItemAndTheWebSite)
{
    RegistrySandbox sandbox;
    ProbeDlg dlg;
    dlg.run({[](ProbeDlg& d) {
        HMENU menu = GetSystemMenu(d.m_hWnd, FALSE);
        char item[256] = "";
        EXPECT_GT(GetMenuStringA(menu, IDM_ABOUTBOX, item, sizeof item, MF_BYCOMMAND), 0);
        EXPECT_STREQ(item, "orrel 정보(&A)...");
        EXPECT_EQ(d.text(IDC_WEBSITE).find("://"), std::string::npos) << "the button shows a host name";
        EXPECT_FALSE(d.text(IDC_WEBSITE).empty());
        char caption[64] = "";
        GetWindowTextA(d.m_hWnd, caption, sizeof caption);
        EXPECT_STREQ(caption, "Orrel");
    }});
}

}  // namespace
