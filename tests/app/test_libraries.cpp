#include <gtest/gtest.h>
#include "apptest.h"
#include "ka.h"
#include "libraries.h"
#include "state.h"

namespace {

TEST(LibraryList, EntriesThatWouldLandOutsideTheViewerFolderAreRefusedByName)
{
    const char* folder = "C:\\v\\viewer\\";
    const char* base = "http://h/lib/";
    const char* inside[] = {"sub/c/d.dll", "a..b.dll", ""};
    for (const char* entry : inside) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(text(checkLibraryList(entry, folder, base)), "");
    }
    const char* outside[] = {"sub\\..\\..\\x.dll", "sub/.. /x.dll", "c:x.dll", "\\\\srv\\s\\x.dll", "a.dll:stream"};
    for (const char* entry : outside) {
        SCOPED_TRACE(entry);
        std::string list = std::string("ok.dll;") + entry + ";later.dll";
        EXPECT_EQ(text(checkLibraryList(list.c_str(), folder, base)),
                  std::string("The library name points outside the viewer folder:\r\n") + entry);
    }
    // Joined to either the folder or the base URL, a name must fit a path buffer whole.
    std::string longest(259 - 1 - strlen(base), 'n');
    EXPECT_EQ(text(checkLibraryList(longest.c_str(), folder, base)), "");
    EXPECT_EQ(text(checkLibraryList((longest + "n").c_str(), folder, base)),
              "The library address is too long:\r\n" + (base + longest + "n").substr(0, 100) + "...");
    // A name that is fine under an address that is far too long blames the address.
    std::string huge(1 << 20, 'h');
    EXPECT_EQ(text(checkLibraryList("a.dll", folder, huge.c_str())),
              "The library address is too long:\r\n" + huge.substr(0, 100) + "...");
}

// Records what the walk asks for; fails on one chosen entry.
class FakeFetcher : public CLibraryFetcher {
public:
    bool fetch(const char* dest, const char* entry) override
    {
        asked.push_back(std::string(entry ? entry : "") + " -> " + (dest ? dest : ""));
        return failOn != (entry ? entry : "");
    }
    std::vector<std::string> asked;
    std::string failOn = "-";
};

class LibraryWalk : public ::testing::Test {
protected:
    void SetUp() override { theLauncher.viewerProgramPath[0] = 0; }
    void TearDown() override { theLauncher.viewerProgramPath[0] = 0; }
    std::string viewer() const { return theLauncher.viewerProgramPath; }

    ScratchFolder dir;
    FakeFetcher fetcher;
    cStringA first;
};

TEST_F(LibraryWalk, DownloadedListTrimsEntriesFetchesOnlyMissingFilesAndNamesTheViewerInItsFolder)
{
    dir.write("have.dll", "old and short");
    dir.write("OrlViewer2.exe", "present");
    EXPECT_TRUE(placeLibraries(" a.dll ;sub\\orlviewer1.exe;have.dll; ;OrlViewer2.exe;", dir.path().c_str(), first,
                               fetcher));
    EXPECT_EQ(text(first), "a.dll");
    // An empty entry is asked for as it is; a delimiter at the end gives no entry.
    EXPECT_EQ(fetcher.asked, (std::vector<std::string>{"a.dll -> " + dir.file("a.dll"),
                                                       "sub\\orlviewer1.exe -> " + dir.file("sub\\orlviewer1.exe"),
                                                       " -> "}));
    EXPECT_EQ(dir.read("have.dll"), "old and short");
    // The last viewer entry wins, also when its file is there and nothing is fetched.
    EXPECT_EQ(viewer(), dir.file("OrlViewer2.exe"));

    theLauncher.viewerProgramPath[0] = 0;
    fetcher.asked.clear();
    fetcher.failOn = "bad.dll";
    EXPECT_FALSE(placeLibraries("x.dll;bad.dll;orlviewer.exe;c.dll", dir.path().c_str(), first, fetcher));
    EXPECT_EQ(fetcher.asked.size(), 2u);
    EXPECT_EQ(viewer(), "");
}

TEST_F(LibraryWalk, LocalListNamesFilesBesideTheLauncherAndSkipsTheFirstForTheViewer)
{
    std::string saved = theLauncher.programPath;
    strCopy(theLauncher.programPath, dir.file("orrel.exe").c_str());
    {
        BoxCloser watcher;
        EXPECT_TRUE(useLocalLibraries(" lib.dll ; sub\\orlViewer.exe ; x.dll", first));
        EXPECT_EQ(text(first), dir.file("lib.dll"));
        EXPECT_EQ(viewer(), dir.file("sub\\orlViewer.exe"));
        EXPECT_FALSE(useLocalLibraries("", first));
        EXPECT_FALSE(useLocalLibraries(("a.dll;" + std::string(260, 'n')).c_str(), first));
        EXPECT_EQ(watcher.texts(), (std::vector<std::string>{"Can't find DLL names in the project file.",
                                                             "The library name is too long:\r\n" +
                                                                 std::string(260, 'n')}));
    }
    strCopy(theLauncher.programPath, saved.c_str());
}

}  // namespace
