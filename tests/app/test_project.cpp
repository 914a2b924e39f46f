#include <gtest/gtest.h>
#include <random>
#include "apptest.h"
#include "ka.h"
#include "project.h"
#include "state.h"

namespace {

struct Reading {
    bool ok;
    std::string redirection, dllpath, basedlls, message;
};

std::string str(const cStringA& s) { return s.getPtr() ? s.getPtr() : ""; }

Reading readText(const char* text)
{
    kaErrorClear();
    cStringA redirection, dllpath, basedlls;
    bool ok = readProjectFile(text, redirection, dllpath, basedlls);
    return {ok, str(redirection), str(dllpath), str(basedlls), ok ? "" : str(kaErrorGetMsg())};
}

TEST(ProjectFile, ReadsHeaderOrRedirectionWithTheirMessages)
{
    const struct {
        const char* text;
        Reading want;
    } cases[] = {
        {"<?xml version='1.0' encoding='euc-kr' ?>\n<kestrine>\n<header dllpath=\"http://h/lib/\" "
         "basedlls=\"a.dll; orlviewer.exe\"/>\n</kestrine>",
         {true, "", "http://h/lib/", "a.dll; orlviewer.exe", ""}},
        // A redirection wins over a header, which is then not read at all.
        {"<kestrine><redirection>http://h/next.orp</redirection><header dllpath=\"x\"/></kestrine>",
         {true, "http://h/next.orp", "", "", ""}},
        {"<kestrine><redirection></redirection></kestrine>", {true, "", "", "", ""}},
        {"<kestrine><header/></kestrine>", {true, "", "", "", ""}},
        {"<kestrine><header dllpath=\"a&amp;b &lt;c&gt;\" basedlls='&quot;q&quot;'/></kestrine>",
         {true, "", "a&b <c>", "\"q\"", ""}},
        {"<kestrine><redirection>p&amp;q.orp</redirection></kestrine>", {true, "p&q.orp", "", "", ""}},
        {"<kestrine><other/></kestrine>", {false, "", "", "", "Can not find header element."}},
        // Only direct children of the document element count.
        {"<kestrine><a><header dllpath=\"x\"/></a></kestrine>", {false, "", "", "", "Can not find header element."}},
        {"<Kestrine><header/></Kestrine>", {false, "", "", "", "Invalid project file."}},
        {"<kestrinex><header/></kestrinex>", {false, "", "", "", "Invalid project file."}},
        {"not a project", {false, "", "", "", "Can not find root tag."}},
        {nullptr, {false, "", "", "", "Can not find root tag."}},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(i);
        Reading got = readText(cases[i].text);
        EXPECT_EQ(got.ok, cases[i].want.ok);
        EXPECT_EQ(got.redirection, cases[i].want.redirection);
        EXPECT_EQ(got.dllpath, cases[i].want.dllpath);
        EXPECT_EQ(got.basedlls, cases[i].want.basedlls);
        EXPECT_EQ(got.message, cases[i].want.message);
    }
}

TEST(ProjectFile, HostileTextsFailWithAMessageAndNeverCrash)
{
    std::string deep = "<kestrine>";
    for (int i = 0; i < 100000; ++i) deep += "<a>";
    EXPECT_FALSE(readText(deep.c_str()).ok);
    EXPECT_NE(readText(deep.c_str()).message, "");
    std::string huge = "<kestrine><header dllpath=\"" + std::string(1 << 20, 'x') + "\"/></kestrine>";
    EXPECT_EQ(readText(huge.c_str()).dllpath.size(), size_t(1) << 20);

    // Mutations of a valid project: whatever comes out is either a reading or a message.
    const std::string seed = "<kestrine><redirection>r</redirection><header dllpath=\"http://h/\" "
                             "basedlls=\"a;b\"/></kestrine>";
    std::mt19937 random(8);
    for (int round = 0; round < 20000; ++round) {
        std::string text = seed;
        for (int n = random() % 4 + 1; n > 0; --n) {
            size_t at = random() % (text.size() + 1);
            switch (random() % 3) {
                case 0: text.insert(at, 1, static_cast<char>(random() % 255 + 1)); break;
                case 1: if (at < text.size()) text.erase(at, 1); break;
                default: if (at < text.size()) text[at] = static_cast<char>(random() % 255 + 1); break;
            }
        }
        Reading got = readText(text.c_str());
        if (!got.ok) {
            ASSERT_NE(got.message, "") << text;
        }
    }
}

// The pipeline on local projects; the launcher's own folder is the scratch folder.
class OpenLocalProject : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedProgram = theLauncher.programPath;
        strCopy(theLauncher.programPath, dir.file("orrel.exe").c_str());
        theLauncher.viewerProgramPath[0] = 0;
        m_savedViewer = getViewerFolder();
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

    bool open(const std::string& name, std::string& first)
    {
        cStringA got;
        bool ok = openProject(dir.file(name).c_str(), got);
        first = str(got);
        return ok;
    }

    bool tempIsEmpty()
    {
        cArrayStr files;
        kaGetFileList(dir.file("temp").c_str(), files);
        return files.count() == 0;
    }

    ScratchFolder dir;
    MessageWatcher watcher;
    std::string m_savedProgram;
    std::string m_savedViewer;
};

TEST_F(OpenLocalProject, PlainEncodedAndRedirectedProjectsNameLibrariesBesideTheLauncher)
{
    const std::string plain = project("<header basedlls=\" lib.dll ; orlviewer.exe\"/>");
    dir.write("plain.orp", plain);
    dir.write("coded.orp", plain);
    ASSERT_TRUE(encodeFile(dir.file("coded.orp").c_str()));
    ASSERT_NE(dir.read("coded.orp"), plain);
    dir.write("hop.orp", redirectTo("coded.orp"));

    for (const char* name : {"plain.orp", "coded.orp", "hop.orp"}) {
        SCOPED_TRACE(name);
        theLauncher.viewerProgramPath[0] = 0;
        std::string first;
        EXPECT_TRUE(open(name, first));
        EXPECT_EQ(first, dir.file("lib.dll"));
        EXPECT_EQ(std::string(theLauncher.viewerProgramPath), dir.file("orlviewer.exe"));
        EXPECT_TRUE(tempIsEmpty());
    }
    EXPECT_TRUE(watcher.texts().empty());
}

TEST_F(OpenLocalProject, RedirectionsEndAfterSixteen)
{
    // r0 -> r1 -> ... -> r16 is sixteen redirections: still followed.
    for (int i = 0; i < 17; ++i)
        dir.write("r" + std::to_string(i) + ".orp", redirectTo("r" + std::to_string(i + 1) + ".orp"));
    dir.write("r16.orp", project("<header basedlls=\"x.dll\"/>"));
    std::string first;
    EXPECT_TRUE(open("r0.orp", first));
    EXPECT_EQ(first, dir.file("x.dll"));

    dir.write("r17.orp", project("<header basedlls=\"x.dll\"/>"));
    dir.write("r16.orp", redirectTo("r17.orp"));
    EXPECT_FALSE(open("r0.orp", first));
    dir.write("self.orp", redirectTo("self.orp"));
    EXPECT_FALSE(open("self.orp", first));
    EXPECT_EQ(watcher.texts(), (std::vector<std::string>{
                                   "The project was redirected more than 16 times.\r\n" + dir.file("r16.orp"),
                                   "The project was redirected more than 16 times.\r\n" + dir.file("self.orp")}));
    EXPECT_TRUE(tempIsEmpty());
}

TEST_F(OpenLocalProject, FailuresAreShownOnceAndLeaveNoTemporaryFile)
{
    std::string first;
    dir.write("nonames.orp", project("<header/>"));
    EXPECT_FALSE(open("nonames.orp", first));
    // Too short to be encoded: the plain reading's message, not a decoded one.
    dir.write("short.orp", "<a/>");
    EXPECT_FALSE(open("short.orp", first));
    std::string longLocation(300, 'x');
    cStringA unused;
    EXPECT_FALSE(openProject(longLocation.c_str(), unused));
    std::string longTarget = std::string(259, 'y');
    dir.write("longLocation.orp", project("<redirection>" + longTarget + "z</redirection>"));
    EXPECT_FALSE(open("longLocation.orp", first));
    EXPECT_FALSE(open("missing.orp", first));

    std::vector<std::string> texts = watcher.texts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0], "Can't find DLL names in the project file.");
    EXPECT_EQ(texts[1], "Invalid project file.");
    EXPECT_EQ(texts[2], "The project location is too long.\r\n" + longLocation);
    EXPECT_EQ(texts[3], "The project redirects to a location that is too long.\r\n" + longTarget + "z");
    EXPECT_NE(texts[4].find(dir.file("missing.orp")), std::string::npos) << texts[4];
    EXPECT_TRUE(tempIsEmpty());
}

// Nothing listens on this port: every fetch from it fails at once.
const char* const kDeadServer = "http://127.0.0.1:1/lib/";

TEST_F(OpenLocalProject, ALibraryFolderRunsTheProgressDialogAlsoWhenEveryFileIsThere)
{
    CreateDirectoryA(dir.file("viewer\\sub").c_str(), nullptr);
    dir.write("viewer\\lib.dll", "old");
    dir.write("viewer\\sub\\OrlViewer.exe", "old");
    dir.write("p.orp", project(std::string("<header dllpath=\"") + kDeadServer +
                               "\" basedlls=\" lib.dll ;sub\\OrlViewer.exe\"/>"));
    std::string first;
    EXPECT_TRUE(open("p.orp", first));
    EXPECT_EQ(first, "lib.dll");
    EXPECT_EQ(std::string(theLauncher.viewerProgramPath), dir.file("viewer\\sub\\OrlViewer.exe"));
    EXPECT_EQ(dir.read("viewer\\lib.dll"), "old");
    EXPECT_TRUE(watcher.texts().empty());
}

TEST_F(OpenLocalProject, TheProgressDialogRefusesOutsideNamesAndStopsAtTheFirstFailedFetch)
{
    dir.write("viewer\\a.dll", "kept");
    const std::string header = std::string("<header dllpath=\"") + kDeadServer + "\" basedlls=\"";
    dir.write("outside.orp", project(header + "a.dll;b.dll;..\\evil.dll\"/>"));
    dir.write("gone.orp", project(header + "a.dll;b.dll;c.dll\"/>"));
    std::string first;
    EXPECT_FALSE(open("outside.orp", first));
    EXPECT_FALSE(open("gone.orp", first));
    setViewerFolder("");
    EXPECT_FALSE(open("gone.orp", first));
    EXPECT_EQ(watcher.texts(),
              (std::vector<std::string>{"The library name points outside the viewer folder:\r\n..\\evil.dll",
                                        std::string("Can not download the file from the designated site.\r\n") +
                                            kDeadServer + "b.dll",
                                        "Can not make viewer folder."}));
    cArrayStr files;
    kaGetFileList(dir.file("viewer").c_str(), files);
    ASSERT_EQ(files.count(), 1);
    EXPECT_EQ(str(files[0]), "a.dll");
    EXPECT_EQ(dir.read("viewer\\a.dll"), "kept");
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
        if (code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls) &&
            std::string(cls) == "#32770" && !s_refused) {
            s_refused = true;
            return 1;
        }
        return CallNextHookEx(s_hook, code, wParam, lParam);
    }
    static HHOOK s_hook;
    static bool s_refused;
};
HHOOK RefuseNextDialog::s_hook = nullptr;
bool RefuseNextDialog::s_refused = false;

TEST_F(OpenLocalProject, AProgressDialogThatCannotBeMadeIsAFailure)
{
    dir.write("p.orp", project(std::string("<header dllpath=\"") + kDeadServer + "\" basedlls=\"a.dll\"/>"));
    std::string first;
    {
        RefuseNextDialog refuse;
        EXPECT_FALSE(open("p.orp", first));
    }
    EXPECT_EQ(watcher.texts(), std::vector<std::string>{"Can not open the progress dialog."});
}

}  // namespace
