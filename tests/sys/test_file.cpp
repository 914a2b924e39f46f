#include <string>
#include <type_traits>
#include "sysfixture.h"

namespace {

class Files : public TempFolder {};

// Whether another handle holds the file: it cannot then be opened without sharing.
bool heldElsewhere(const std::string& name)
{
    void* h = kaOpenFileNoShare(name.c_str());
    if (h) kaCloseFile(h);
    return h == nullptr;
}

TEST_F(Files, NamesTooLongAreRefusedNotCut)
{
    std::string name = at(std::string(MAX_PATH, 'n'));
    cFile f;
    EXPECT_FALSE(f.create(name.c_str()));
    EXPECT_NE(errorText(), "");

    // Fits as a whole, but its folder part is longer than a split keeps: the folder
    // must not be made under a shortened name.
    std::string inDeep = at(std::string(257 - root.size(), 'd')) + "\\n";  // a folder part of 256
    ASSERT_LT(inDeep.size(), static_cast<size_t>(MAX_PATH));
    kaErrorClear();
    EXPECT_EQ(kaCreateFile(inDeep.c_str()), nullptr);
    EXPECT_NE(errorText(), "");

    cArrayStr files, folders;
    kaGetFileList(root.c_str(), files);
    kaGetFolderList(root.c_str(), folders);
    EXPECT_EQ(files.count() + folders.count(), 0);
}

TEST_F(Files, TwoHandlesShareAndLockOnlyAsTheRulesAllow)
{
    std::string name = at("shared.bin");
    writeBytes(name, std::string(100, 'x'));
    void* writer = kaOpenFileWrite_ShareRead(name.c_str());
    ASSERT_NE(writer, nullptr);
    cFile reader, other;
    ASSERT_TRUE(reader.openRead(name.c_str()));  // a reader may join; it allows writing
    EXPECT_EQ(kaOpenFileWrite_ShareRead(name.c_str()), nullptr);  // a second writer may not
    EXPECT_EQ(kaOpenFileNoShare(name.c_str()), nullptr);
    EXPECT_NE(errorFullText().find(name), std::string::npos);
    kaCloseFile(writer);

    // Wine does not enforce byte-range locks on reads, but an overlapping lock is refused.
    ASSERT_TRUE(other.openRead(name.c_str()));
    ASSERT_TRUE(reader.lock(10, 20));
    EXPECT_FALSE(other.lock(25, 10));
    EXPECT_TRUE(reader.unlock(10, 20));
    EXPECT_TRUE(other.lock(25, 10));
}

TEST_F(Files, AFileObjectOwnsExactlyOneHandle)
{
    static_assert(!std::is_copy_constructible<cFile>::value && !std::is_copy_assignable<cFile>::value,
                  "two copies would close one handle twice");
    std::string first = at("first.txt"), second = at("second.txt");
    writeBytes(second, "2");
    cFile f;
    ASSERT_TRUE(f.create(first.c_str()));
    // Opening again closes the first handle: nobody holds first.txt any more.
    ASSERT_TRUE(f.openReadNoShare(second.c_str()));
    EXPECT_FALSE(heldElsewhere(first));
    EXPECT_TRUE(heldElsewhere(second));

    // A failed open leaves the object closed.
    EXPECT_FALSE(f.openRead(at("missing.txt").c_str()));
    EXPECT_FALSE(heldElsewhere(second));

    // Killing an open file closes it first, or the delete could not succeed.
    ASSERT_TRUE(f.openWrite_ShareRead(second.c_str()));
    kaErrorClear();
    f.kill();
    EXPECT_FALSE(exists(second));
    EXPECT_EQ(kaErrorExist(), 0);
}

}  // namespace
