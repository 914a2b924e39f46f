#include <gtest/gtest.h>
#include <fstream>
#include "apptest.h"
#include "folders.h"
#include "ka.h"

namespace {

bool isPlainFile(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}
void touch(const std::string& path) { std::ofstream(path) << "x"; }

// Works on the prefix's real application-data tree, which belongs to the tests.
class BaseFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        cStringA root;
        ASSERT_TRUE(getAppDataRoot(root));
        maker = text(root) + "Kestrine";
        base = maker + "\\Orrel\\";
        ASSERT_TRUE(kaRemoveDirectory(maker.c_str()));
    }
    void TearDown() override { kaRemoveDirectory(maker.c_str()); }

    std::string maker, base;
};

TEST(SubFolder, TakesAHiddenFolderButNeitherAFileNorAnOverlongPath)
{
    ScratchFolder dir;
    std::string parent = dir.path().substr(0, dir.path().size() - 1);
    cStringA out("before");
    // A hidden or read-only folder passes the library's file test, yet it is a folder.
    CreateDirectoryA(dir.file("ro").c_str(), nullptr);
    SetFileAttributesA(dir.file("ro").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(makeSubFolder(out, parent.c_str(), "ro"));
    EXPECT_EQ(text(out), dir.file("ro\\"));
    SetFileAttributesA(dir.file("ro").c_str(), FILE_ATTRIBUTE_DIRECTORY);

    dir.write("plain", "x");
    EXPECT_FALSE(makeSubFolder(out, parent.c_str(), "plain"));
    EXPECT_EQ(text(out), dir.file("ro\\"));

    // The recorded path, with its closing backslash, must fit a path buffer.
    std::string name(259 - parent.size() - 2, 'n');
    EXPECT_FALSE(makeSubFolder(out, parent.c_str(), (name + "n").c_str()));
    EXPECT_EQ(text(kaErrorGetMsg()), "The folder path is too long.");
    EXPECT_TRUE(makeSubFolder(out, parent.c_str(), name.c_str()));
    EXPECT_EQ(out.length(), 259);
}

TEST_F(BaseFolders, DeleteCachesRemovesOnlyThePlainFilesOfTheCacheFolder)
{
    ASSERT_TRUE(makeBaseFolders());
    touch(base + "cache\\a.bin");
    touch(base + "cache\\b.bin");
    CreateDirectoryA((base + "cache\\sub").c_str(), nullptr);
    touch(base + "cache\\sub\\c.bin");
    touch(base + "viewer\\v.dll");
    deleteCaches();
    EXPECT_FALSE(isPlainFile(base + "cache\\a.bin"));
    EXPECT_FALSE(isPlainFile(base + "cache\\b.bin"));
    EXPECT_TRUE(isPlainFile(base + "cache\\sub\\c.bin"));
    EXPECT_TRUE(isPlainFile(base + "viewer\\v.dll"));
}

}  // namespace
