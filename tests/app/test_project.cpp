#include <gtest/gtest.h>
#include "apptest.h"
#include "ka.h"
#include "project.h"
#include "state.h"

namespace {

// What a reading yields, or the message it leaves.
std::string reading(const char* source)
{
    kaErrorClear();
    cStringA redirection, dllpath, basedlls;
    if (!readProjectFile(source, redirection, dllpath, basedlls)) return text(kaErrorGetMsg());
    return "r=" + text(redirection) + " d=" + text(dllpath) + " b=" + text(basedlls);
}

TEST(ProjectFile, ReadsHeaderOrRedirectionAndRefusesTheRestWithItsMessage)
{
    const char* cases[][2] = {
        {"<?xml version='1.0'?>\n<kestrine>\n<header dllpath=\"http://h/lib/\" basedlls=\"a.dll; v.exe\"/>\n</kestrine>",
         "r= d=http://h/lib/ b=a.dll; v.exe"},
        // A redirection wins over a header, which is then not read at all.
        {"<kestrine><redirection>http://h/n.orp</redirection><header dllpath=\"x\"/></kestrine>", "r=http://h/n.orp d= b="},
        {"<kestrine><other/></kestrine>", "Can not find header element."},
        {"<Kestrine><header/></Kestrine>", "Invalid project file."},
        {nullptr, "Can not find root tag."},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c[0] ? c[0] : "null");
        EXPECT_EQ(reading(c[0]), c[1]);
    }
    std::string deep = "<kestrine>";
    for (int i = 0; i < 100000; ++i) deep += "<a>";
    std::string got = reading(deep.c_str());
    EXPECT_TRUE(!got.empty() && got.compare(0, 2, "r=") != 0) << got;
}

// The pipeline on local projects; the launcher's own folder is the scratch folder.
class OpenLocalProject : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedProgram = theLauncher.programPath;
        m_savedViewer = getViewerFolder();
        strCopy(theLauncher.programPath, dir.file("orrel.exe").c_str());
        theLauncher.viewerProgramPath[0] = 0;
        CreateDirectoryA(dir.file("temp").c_str(), nullptr);
        CreateDirectoryA(dir.file("viewer").c_str(), nullptr);
        ASSERT_TRUE(setTempFolder(dir.file("temp\\").c_str()));
        ASSERT_TRUE(setViewerFolder(dir.file("viewer\\").c_str()));
    }
    void TearDown() override
    {
        strCopy(theLauncher.programPath, m_savedProgram.c_str());
        theLauncher.viewerProgramPath[0] = 0;
        setTempFolder("");
        setViewerFolder(m_savedViewer.c_str());
    }

    std::string project(const std::string& inner) { return "<kestrine>" + inner + "</kestrine>"; }
    std::string redirectTo(const std::string& name) { return project("<redirection>" + dir.file(name) + "</redirection>"); }
    // rFrom.orp -> ... -> rTo.orp -> target
    void chain(int from, int to, const std::string& target)
    {
        for (int i = from; i < to; ++i) dir.write("r" + std::to_string(i) + ".orp", redirectTo("r" + std::to_string(i + 1) + ".orp"));
        dir.write("r" + std::to_string(to) + ".orp", redirectTo(target));
    }
    bool open(const std::string& location, std::string& first)
    {
        cStringA got;
        bool ok = openProject(location.c_str(), got);
        first = text(got);
        return ok;
    }
    bool tempIsEmpty()
    {
        cArrayStr files;
        kaGetFileList(dir.file("temp").c_str(), files);
        return files.count() == 0;
    }

    ScratchFolder dir;
    BoxCloser watcher;
    std::string m_savedProgram, m_savedViewer;
};

TEST_F(OpenLocalProject, PlainEncodedAndRedirectedProjectsNameLibrariesBesideTheLauncher)
{
    const std::string plain = project("<header basedlls=\" lib.dll ; orlviewer.exe\"/>");
    dir.write("plain.orp", plain);
    dir.write("coded.orp", plain);
    ASSERT_TRUE(encodeFile(dir.file("coded.orp").c_str()));
    ASSERT_NE(dir.read("coded.orp"), plain);
    // r0 -> r1 -> ... -> r15 -> coded.orp is sixteen redirections: still followed.
    chain(0, 15, "coded.orp");
    for (const char* name : {"plain.orp", "coded.orp", "r0.orp"}) {
        SCOPED_TRACE(name);
        theLauncher.viewerProgramPath[0] = 0;
        std::string first;
        EXPECT_TRUE(open(dir.file(name), first));
        EXPECT_EQ(first, dir.file("lib.dll"));
        EXPECT_EQ(std::string(theLauncher.viewerProgramPath), dir.file("orlviewer.exe"));
    }
    EXPECT_TRUE(watcher.texts().empty());
    EXPECT_TRUE(tempIsEmpty());
}

TEST_F(OpenLocalProject, FailuresAreShownOnceAndLeaveNoTemporaryFile)
{
    chain(0, 16, "x.orp");
    dir.write("x.orp", project("<header basedlls=\"x.dll\"/>"));
    dir.write("nonames.orp", project("<header/>"));
    // Too short to be encoded: the plain reading's message, not a decoded one.
    dir.write("short.orp", "<a/>");
    const std::string longLocation(300, 'x'), longTarget(260, 'y');
    dir.write("far.orp", project("<redirection>" + longTarget + "</redirection>"));

    std::string first;
    for (const std::string& location : {dir.file("r0.orp"), dir.file("nonames.orp"), dir.file("short.orp"),
                                        longLocation, dir.file("far.orp"), dir.file("missing.orp")})
        EXPECT_FALSE(open(location, first)) << location;
    std::vector<std::string> texts = watcher.texts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0], "The project was redirected more than 16 times.\r\n" + dir.file("r16.orp"));
    EXPECT_EQ(texts[1], "Can't find DLL names in the project file.");
    EXPECT_EQ(texts[2], "Invalid project file.");  // too short to be encoded: read as it is
    EXPECT_EQ(texts[3], "The project location is too long.\r\n" + longLocation);
    EXPECT_EQ(texts[4], "The project redirects to a location that is too long.\r\n" + longTarget);
    EXPECT_NE(texts[5].find(dir.file("missing.orp")), std::string::npos) << texts[5];
    EXPECT_TRUE(tempIsEmpty());
}

// Refuses the creation of the next dialog of this thread, as a system out of
// window resources would.
class RefuseNextDialog {
public:
    RefuseNextDialog() { s_hook = SetWindowsHookExA(WH_CBT, refuse, nullptr, GetCurrentThreadId()); }
    ~RefuseNextDialog() { UnhookWindowsHookEx(s_hook); }

private:
    static LRESULT CALLBACK refuse(int code, WPARAM wParam, LPARAM lParam)
    {
        char cls[16] = "";
        if (code == HCBT_CREATEWND && !s_refused && GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls) &&
            std::string(cls) == "#32770") {
            s_refused = true;
            return 1;
        }
        return CallNextHookEx(s_hook, code, wParam, lParam);
    }
    static inline HHOOK s_hook = nullptr;
    static inline bool s_refused = false;
};

TEST_F(OpenLocalProject, TheProgressDialogRunsWhenEveryFileIsThereAndFailsWithoutFolderOrWindow)
{
    // Nothing listens on this port: a fetch from it would fail at once.
    dir.write("p.orp", project("<header dllpath=\"http://127.0.0.1:1/lib/\" basedlls=\" lib.dll ;sub\\OrlViewer.exe\"/>"));
    CreateDirectoryA(dir.file("viewer\\sub").c_str(), nullptr);
    dir.write("viewer\\lib.dll", "old");
    dir.write("viewer\\sub\\OrlViewer.exe", "old");
    std::string first;
    EXPECT_TRUE(open(dir.file("p.orp"), first));
    EXPECT_EQ(first, "lib.dll");
    EXPECT_EQ(std::string(theLauncher.viewerProgramPath), dir.file("viewer\\sub\\OrlViewer.exe"));
    EXPECT_EQ(dir.read("viewer\\lib.dll"), "old");

    {
        RefuseNextDialog refuse;
        EXPECT_FALSE(open(dir.file("p.orp"), first));
    }
    setViewerFolder("");
    EXPECT_FALSE(open(dir.file("p.orp"), first));
    EXPECT_EQ(watcher.texts(), (std::vector<std::string>{"Can not open the progress dialog.", "Can not make viewer folder."}));
}

}  // namespace
