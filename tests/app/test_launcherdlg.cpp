#include <gtest/gtest.h>
#include <string>
#include "dlgprobe.h"

namespace {

const char kSettings[] = "Software\\Kestrine\\Orrel";

TEST(LauncherDialog, AFailedOpenChangesNothing)
{
    RegistrySandbox sandbox;
    storeText(HKEY_CURRENT_USER, kSettings, "A", "http://h/old.orp");
    ProbeDlg dlg;
    dlg.openSucceeds = false;
    dlg.run({[](ProbeDlg& d) {
        d.setText(IDC_URL, "http://h/new.orp");
        d.click(IDC_OPEN);
        EXPECT_EQ(d.text(IDC_URL), "http://h/new.orp");
    }});
    ASSERT_EQ(dlg.m_recentUrls.GetSize(), 1);
    EXPECT_STREQ(dlg.m_recentUrls.GetAt(0), "http://h/old.orp");
}

TEST(LauncherDialog, EveryWayOfClosingStoresTheRecentList)
{
    const struct {
        const char* how;
        std::function<void(ProbeDlg&)> close;
    } ways[] = {
        {"Close button", [](ProbeDlg& d) { d.click(IDOK); }},
        {"Escape", [](ProbeDlg&) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }},
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
        EXPECT_NE(result, ProbeDlg::kProbeEnded);
        EXPECT_EQ(storedValue(HKEY_CURRENT_USER, kSettings, "A").text, "http://h/kept.orp");
    }
}

}  // namespace
