#include <string>
#include "sysfixture.h"

namespace {

std::string text(const cFileName& f) { return static_cast<const char*>(f) ? static_cast<const char*>(f) : ""; }

std::string urlFull(const char* name, const char* friendPath)
{
    cFileName f("previous");
    f.urlFullWithFriend(name, friendPath);
    return text(f);
}

std::string relative(const char* name, const char* base)
{
    cFileName f(name);
    f.makeRelative(base);
    return text(f);
}

class FileNameOnDisk : public TempFolder {};

TEST(FileName, SplitGettersAndExtensions)
{
    cFileName f("C:\\a\\b.txt");
    EXPECT_EQ(f.getType(), 80);
    EXPECT_EQ(str(f.getDir()), "C:\\a\\");
    EXPECT_EQ(str(f.getNameOnly()), "b");
    EXPECT_EQ(str(f.getNameExt()), "b.txt");
    EXPECT_EQ(str(f.getExtension()), ".txt");
    EXPECT_EQ(str(cFileName("\\\\srv\\share\\b.txt").getDir()), "\\\\srv\\share\\");
    EXPECT_EQ(str(cFileName("a.tar.gz").getExtension()), ".gz");
    EXPECT_EQ(str(cFileName("dir.x\\file").getExtension()), "");
    EXPECT_EQ(str(cFileName().getDir()), "");

    EXPECT_TRUE(cFileName("readme").isExtension(nullptr));
    EXPECT_TRUE(cFileName("readme.").isExtension(""));
    EXPECT_FALSE(cFileName("a.txt").isExtension(nullptr));
    for (const char* ext : {"txt", ".txt", ".TXT"}) EXPECT_TRUE(cFileName("a.txt").isExtension(ext)) << ext;
    EXPECT_FALSE(cFileName("a.txt").isExtension("tx"));
    EXPECT_FALSE(cFileName().isExtension(nullptr));

    f.changeExtension("log");
    EXPECT_EQ(text(f), "C:\\a\\b.log");
    cFileName blank;
    blank.changeExtension("log");
    EXPECT_TRUE(blank.isBlank());

    // Copies are independent values.
    cFileName copy(f);
    copy = "other";
    EXPECT_EQ(text(f), "C:\\a\\b.log");
    EXPECT_TRUE(cFileName(1).isBlank());
}

TEST(FileName, ParentsAndSeparators)
{
    EXPECT_EQ(str(cFileName("C:\\a\\b").getParent()), "C:\\a\\");
    EXPECT_EQ(str(cFileName("C:\\a\\b\\").getParent()), "C:\\a\\");
    EXPECT_EQ(str(cFileName("a/b/").getParent()), "a/");
    EXPECT_EQ(str(cFileName("C:\\").getParent()), "");
    EXPECT_EQ(str(cFileName("name").getParent()), "");
    EXPECT_EQ(str(cFileName("").getParent()), "");

    cFileName f("a/b\\c");
    f.forDos();
    EXPECT_EQ(text(f), "a\\b\\c");
    f.forUnix();
    EXPECT_EQ(text(f), "a/b/c");

    EXPECT_TRUE(cFileName("C:/A/b.TXT").equals("c:\\a\\B.txt"));
    EXPECT_FALSE(cFileName("C:\\a\\.\\b").equals("C:\\a\\b"));
    EXPECT_TRUE(cFileName().equals(nullptr));
    EXPECT_TRUE(cFileName().equals(""));
    EXPECT_FALSE(cFileName().equals("x"));
    EXPECT_FALSE(cFileName("x").equals(""));
}

TEST(FileName, UrlSplit)
{
    struct {
        const char* url;
        const char* parts[7];
    } cases[] = {
        {"http://host/a/b/page.htm", {"http:", "//host", "/a/b/", "page", ".htm", "/a/b/page.htm", "page.htm"}},
        {"HTTP:\\\\host\\x.y", {"HTTP:", "//host", "/", "x", ".y", "/x.y", "x.y"}},
        {"http://host", {"http:", "//host", "", "", "", "", ""}},
        {"a/b.c/d", {"", "", "a/b.c/", "d", "", "a/b.c/d", "d"}},
        {"https://x/y", {"", "", "https://x/", "y", "", "https://x/y", "y"}},
        {"mms:clip.a.b", {"mms:", "", "", "clip.a", ".b", "clip.a.b", "clip.a.b"}},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(i);
        cFileName f(cases[i].url);
        for (int part = 0; part < 7; ++part) EXPECT_EQ(str(f.getUrlSplit(part)), cases[i].parts[part]) << part;
        EXPECT_EQ(str(f.getUrlSplit(7)), "");
    }
}

TEST(FileName, ResolvesNamesAgainstAFriendDocument)
{
    const char* page = "http://h/a/doc.htm";
    EXPECT_EQ(urlFull("C:\\x.gif", page), "C:\\x.gif");
    EXPECT_EQ(urlFull("//other/x.gif", page), "//other/x.gif");
    EXPECT_EQ(urlFull("www.x.com/a", "doc.htm"), "http://www.x.com/a");
    EXPECT_EQ(urlFull("img/x.gif", "doc.htm"), "img/x.gif");
    EXPECT_EQ(urlFull("img/x.gif", "C:\\site\\doc.htm"), "C:\\site\\img\\x.gif");
    EXPECT_EQ(urlFull("img/x.gif", page), "http://h/a/img/x.gif");
    EXPECT_EQ(urlFull("/img/x.gif", page), "http://h/img/x.gif");
    EXPECT_EQ(urlFull("x.gif", page), "http://h/a/x.gif");
    EXPECT_EQ(urlFull("../b/x.gif", page), "http://h/b/x.gif");
    // Stepping above the top folder stays on the same host.
    EXPECT_EQ(urlFull("../../x.gif", page), "http://h/x.gif");
    EXPECT_EQ(urlFull("", page), "");
    EXPECT_EQ(urlFull("x.gif", nullptr), "x.gif");

    cFileName f;
    f.fullWithFriend("b.txt", "C:\\dir\\doc.htm", nullptr);
    EXPECT_EQ(text(f), "C:\\dir\\b.txt");
    f.fullWithDir("b", "C:\\dir", "txt");
    EXPECT_EQ(text(f), "C:\\dir\\b.txt");
}

TEST(FileName, MakesNamesRelativeToABase)
{
    struct {
        const char* name;
        const char* base;
        const char* expected;
    } cases[] = {
        {"C:\\x\\z\\p.gif", "C:\\x\\y\\doc.htm", "../z/p.gif"},
        {"C:\\x\\y\\p.gif", "C:\\x\\y\\doc.htm", "p.gif"},
        {"c:\\X\\Y\\p.gif", "C:\\x\\y\\d.htm", "p.gif"},
        {"C:\\x\\y\\s\\t\\p.gif", "C:\\x\\y\\d.htm", "s/t/p.gif"},
        {"D:\\x\\p.gif", "C:\\x\\d.htm", "D:\\x\\p.gif"},
        {"C:\\x\\p.gif", "http://h/d.htm", "C:\\x\\p.gif"},
        {"http://h/a/b/p.gif", "http://h/a/c/d.htm", "../b/p.gif"},
        {"http://h/A/p.gif", "http://h/a/d.htm", "../A/p.gif"},
        {"http://other/a/p.gif", "http://h/a/d.htm", "http://other/a/p.gif"},
        {"img/p.gif", "doc/x.htm", "../img/p.gif"},
        {"img/p.gif", nullptr, "img/p.gif"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(relative(cases[i].name, cases[i].base), cases[i].expected);
    }
}

TEST_F(FileNameOnDisk, SizesTimesAndExistence)
{
    std::string name = at("sized.bin");
    writeBytes(name, std::string(1234, 's'));
    cFileName f(name.c_str());
    EXPECT_EQ(f.size(), 1234);
    EXPECT_TRUE(f.isFile());
    EXPECT_FALSE(f.isDirectory());
    EXPECT_EQ(f.isExistNoError(), 1);
    cTimestamp now;
    cTimestamp written = f.getTime(2);
    EXPECT_TRUE(written.isValid());
    EXPECT_LE(std::llabs(now.xtime() - written.xtime()), 60 * 1000);
    EXPECT_EQ(str(cFileName(root.substr(0, root.size() - 1).c_str()).getDir()), root.substr(0, root.size() - 1));

    cFileName missing(at("missing").c_str());
    kaErrorClear();
    EXPECT_EQ(missing.isExistNoError(), 0);
    EXPECT_EQ(kaErrorExist(), 0);
    EXPECT_EQ(missing.size(), 0);
    EXPECT_EQ(errorText(), "The system cannot find the file specified");
    EXPECT_EQ(static_cast<long long>(missing.getTime(0)), static_cast<long long>(cTimestamp(0LL)));

    cStringA appData;
    ASSERT_TRUE(getAppDataRoot(appData));
    EXPECT_EQ(text(cFileName(0)), str(appData));
}

TEST_F(FileNameOnDisk, FolderChainsAreMadeRootFirst)
{
    cFileName chain(at("a/b\\c/깊은").c_str());
    EXPECT_TRUE(chain.makeFolder());
    EXPECT_TRUE(isFolder(at("a\\b\\c\\깊은")));
    EXPECT_TRUE(chain.makeFolder());

    cFileName bare("sub");
    EXPECT_FALSE(bare.makeFolder());
    EXPECT_EQ(errorText(), "Invalid path.");

    writeBytes(at("file"), "f");
    EXPECT_FALSE(cFileName(at("file\\below").c_str()).makeFolder());  // a file stands in the way

    // Too long for a path buffer: refused as a whole, nothing of it made.
    cFileName tooLong((at("long\\") + std::string(MAX_PATH, 'l')).c_str());
    EXPECT_FALSE(tooLong.makeFolder());
    EXPECT_NE(errorText(), "");
    EXPECT_FALSE(exists(at("long")));
}


TEST_F(FileNameOnDisk, KillRenameAndOpenState)
{
    std::string name = at("f.txt");
    writeBytes(name, "x");
    cFileName f(name.c_str());
    void* h = kaOpenFileRead(name.c_str());
    EXPECT_EQ(f.isOpened(), 1);
    kaCloseFile(h);
    EXPECT_EQ(f.isOpened(), 0);
    EXPECT_EQ(f.rename(at("g.txt").c_str()), 1);
    EXPECT_EQ(text(f), name);  // the name itself stays
    EXPECT_EQ(f.isOpened(), 1);  // nothing there any more
    cFileName g(at("g.txt").c_str());
    EXPECT_EQ(g.kill(), 1);
    EXPECT_FALSE(exists(at("g.txt")));
    EXPECT_EQ(g.kill(), 1);  // already gone: still success
}

TEST_F(FileNameOnDisk, UniqueCopiesAndTemporaryNamesNeverCollide)
{
    CreateDirectoryA(at("t").c_str(), nullptr);
    writeBytes(at("a.txt"), "payload");
    writeBytes(at("t\\a.txt"), "1");
    writeBytes(at("t\\a_1.txt"), "2");
    cFileName source(at("a.txt").c_str());
    EXPECT_EQ(str(source.copyAsUniqueName(at("t\\").c_str())), at("t\\a_2.txt"));
    EXPECT_EQ(readBytes(at("t\\a_2.txt")), "payload");
    EXPECT_EQ(str(cFileName().copyAsUniqueName(at("t\\").c_str())), "");

    cFileName first, second;
    first.getTempName(root.c_str(), nullptr);
    second.getTempName(root.c_str(), nullptr);
    EXPECT_NE(str(cStringA(first)), str(cStringA(second)));
    EXPECT_EQ(str(first.getDir()), root);
    EXPECT_EQ(str(first.getExtension()), ".tmp");
    second.getTempName(root.c_str(), "dat");
    EXPECT_EQ(str(second.getExtension()), ".dat");

    // A folder that is not there gives way to the recorded temp folder.
    std::string recorded = at("t\\");
    setTempFolder(recorded.c_str());
    first.getTempName(at("missing").c_str(), ".x");
    EXPECT_EQ(str(first.getDir()), recorded);
    EXPECT_EQ(str(first.getExtension()), ".x");
    setTempFolder("");
    first.getTempName(nullptr);
    EXPECT_EQ(str(first.getDir()), "");  // relative: no folder part at all
}

}  // namespace
