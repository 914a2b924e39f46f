#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "framework/stringarray.h"
#include "framework/winapp.h"

namespace {

// An empty string's text pointer is null; the tests compare texts.
std::string text(const cStringA& s) { return s.getPtr() ? s.getPtr() : ""; }

TEST(Application, NameIsTheProgramFileWithoutFolderAndExtension)
{
    const char* cases[][2] = {
        {"C:\\Program Files\\Kestrine\\orrel.exe", "orrel"},
        {"C:\\a.b\\orrel", "orrel"},
        {"D:/x/my.tool.EXE", "my.tool"},
        {"orrel.exe", "orrel"},
        {"C:orrel.exe", "orrel"},
        {"\\\\server\\share\\\xB1\xE2\\\xC7\xC1.exe", "\xC7\xC1"},
        {"", ""},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(c[1], text(appNameFromPath(c[0])));
    }
    EXPECT_EQ("", text(appNameFromPath(nullptr)));
}

TEST(Application, CommandLineIsTheTextAfterTheProgramName)
{
    const char* cases[][2] = {
        {"orrel.exe http://h/p.orp?a", "http://h/p.orp?a"},
        {"\"C:\\Program Files\\orrel.exe\"   C:\\My Projects\\a.orp  ", "C:\\My Projects\\a.orp  "},
        {"\"C:\\Program Files\\orrel.exe\"\"quoted\"", "\"quoted\""},
        {"orrel.exe", ""},
        {"\"C:\\unterminated", ""},
        {"orrel.exe \t ?x", "?x"},
        {"", ""},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_STREQ(c[1], commandLineTail(c[0]));
    }
    EXPECT_STREQ("", commandLineTail(nullptr));
}

class RecordingApp : public CWinApp {
public:
    using CWinApp::CWinApp;
    BOOL InitInstance() override
    {
        CWinApp::InitInstance();
        ++runs;
        return FALSE;
    }
    int runs = 0;
};

TEST(Application, RunFillsInstanceNameAndCommandLine)
{
    EXPECT_EQ(nullptr, CWinApp::current());
    {
        RecordingApp app;
        EXPECT_EQ(&app, CWinApp::current());
        HINSTANCE instance = GetModuleHandleA(nullptr);
        EXPECT_EQ(0, app.run(instance));
        EXPECT_EQ(1, app.runs);
        EXPECT_EQ(instance, app.m_hInstance);
        EXPECT_STREQ("test_app", app.m_appName);
        EXPECT_STREQ(commandLineTail(GetCommandLineA()), app.m_lpCmdLine);
        EXPECT_STREQ("CWinApp", app.className());
    }
    EXPECT_EQ(nullptr, CWinApp::current());

    RecordingApp named("Orrel");
    named.run(GetModuleHandleA(nullptr));
    EXPECT_STREQ("Orrel", named.m_appName);
}

TEST(StringArray, InsertRemoveAndBounds)
{
    CStringArray list;
    EXPECT_EQ(0, list.Add("b"));
    EXPECT_EQ(1, list.Add(nullptr));
    list.InsertAt(0, "a");
    list.InsertAt(99, "z");
    list.InsertAt(-5, "first");
    ASSERT_EQ(5, list.GetSize());
    EXPECT_STREQ("first", list[0]);
    EXPECT_STREQ("a", list.GetAt(1));
    EXPECT_EQ("", text(list[3]));
    EXPECT_STREQ("z", list[4]);
    EXPECT_EQ("", text(list[5]));
    EXPECT_EQ("", text(list[-1]));
    list.RemoveAt(5);
    list.RemoveAt(-1);
    list.RemoveAt(0);
    EXPECT_EQ(4, list.GetSize());
    EXPECT_STREQ("a", list[0]);
    list.RemoveAll();
    EXPECT_EQ(0, list.GetSize());
}

}  // namespace
