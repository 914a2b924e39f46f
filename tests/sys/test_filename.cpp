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

class FileNameOnDisk : public TempFolder {};

TEST(FileName, ResolvesNamesAgainstAFriendDocument)
{
    const char* page = "http://h/a/doc.htm";
    EXPECT_EQ(urlFull("//other/x.gif", page), "//other/x.gif");
    EXPECT_EQ(urlFull("www.x.com/a", "doc.htm"), "http://www.x.com/a");
    EXPECT_EQ(urlFull("img/x.gif", "C:\\site\\doc.htm"), "C:\\site\\img\\x.gif");
    EXPECT_EQ(urlFull("/img/x.gif", page), "http://h/img/x.gif");
    EXPECT_EQ(urlFull("../b/x.gif", page), "http://h/b/x.gif");
    // Stepping above the top folder stays on the same host.
    EXPECT_EQ(urlFull("../../x.gif", page), "http://h/x.gif");
}

TEST_F(FileNameOnDisk, FolderChainsAreMadeRootFirst)
{
    cFileName chain(at("a/b\\c/깊은").c_str());
    EXPECT_TRUE(chain.makeFolder());
    EXPECT_TRUE(exists(at("a\\b\\c\\깊은")));

    EXPECT_FALSE(cFileName("sub").makeFolder());
    EXPECT_EQ(errorText(), "Invalid path.");

    writeBytes(at("file"), "f");
    EXPECT_FALSE(cFileName(at("file\\below").c_str()).makeFolder());  // a file stands in the way

    // Too long for a path buffer: refused as a whole, nothing of it made.
    cFileName tooLong((at("long\\") + std::string(MAX_PATH, 'l')).c_str());
    EXPECT_FALSE(tooLong.makeFolder());
    EXPECT_NE(errorText(), "");
    EXPECT_FALSE(exists(at("long")));
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
    EXPECT_EQ(readBytes(at("t\\a_1.txt")), "2");

    cFileName first, second;
    first.getTempName(root.c_str(), nullptr);
    second.getTempName(root.c_str(), nullptr);
    EXPECT_NE(str(cStringA(first)), str(cStringA(second)));
    EXPECT_EQ(str(first.getDir()), root);

    // A folder that is not there gives way to the recorded temp folder.
    setTempFolder(at("t\\").c_str());
    first.getTempName(at("missing").c_str(), "x");
    EXPECT_EQ(str(first.getDir()), at("t\\"));
    EXPECT_EQ(str(first.getExtension()), ".x");
    setTempFolder("");
}

}  // namespace
