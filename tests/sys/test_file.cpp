#include <string>
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

TEST_F(Files, CreatingMakesOneMissingFolderAndNeverOverwritesUnlessAsked)
{
    writeBytes(at("old.txt"), "old contents");
    EXPECT_EQ(kaCreateFile(at("old.txt").c_str()), nullptr);
    EXPECT_NE(errorText(), "");
    EXPECT_NE(errorFullText().find(at("old.txt")), std::string::npos);
    EXPECT_EQ(readBytes(at("old.txt")), "old contents");

    void* h = kaCreateFileOver(at("old.txt").c_str());
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(kaGetFileLength(h), 0);
    kaCloseFile(h);

    h = kaCreateFile(at("new\\f.txt").c_str());
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(kaWrite(h, "abc", 3));
    kaCloseFile(h);
    EXPECT_EQ(readBytes(at("new\\f.txt")), "abc");

    EXPECT_EQ(kaCreateFile(at("a\\b\\f.txt").c_str()), nullptr);  // only one level is made
    EXPECT_FALSE(exists(at("a")));

    EXPECT_EQ(kaCreateFile("bare.txt"), nullptr);
    EXPECT_EQ(errorText(), "No path information for creating directory");
    EXPECT_EQ(kaCreateFile(""), nullptr);
    EXPECT_EQ(errorText(), "File name is not specified.");
    EXPECT_EQ(kaOpenFileRead(nullptr), nullptr);
    EXPECT_EQ(errorText(), "File name is not specified.");
    kaErrorClear();
    EXPECT_EQ(kaOpenFileNoShare(""), nullptr);
    EXPECT_EQ(kaOpenFileReadNoShare(nullptr), nullptr);
    EXPECT_EQ(kaErrorExist(), 0);

    EXPECT_EQ(kaOpenFileRead(at("missing").c_str()), nullptr);
    EXPECT_NE(errorFullText().find(at("missing")), std::string::npos);
}

TEST_F(Files, NamesTooLongAreRefusedNotCut)
{
    std::string name = at(std::string(MAX_PATH, 'n'));
    std::string cut = name.substr(0, MAX_PATH - 1);
    kaErrorClear();
    EXPECT_EQ(kaCreateFileOver(name.c_str()), nullptr);
    EXPECT_NE(errorText(), "");
    cFile f;
    EXPECT_FALSE(f.create(name.c_str()));
    EXPECT_EQ(str(f.filename()), name);
    EXPECT_FALSE(exists(cut));

    // Fits as a whole, but its folder part is longer than a split keeps: the folder
    // must not be made under a shortened name.
    std::string folder = at(std::string(257 - root.size(), 'd'));  // a folder part of 256
    std::string inDeep = folder + "\\n";
    ASSERT_LT(inDeep.size(), static_cast<size_t>(MAX_PATH));
    EXPECT_EQ(kaCreateFile(inDeep.c_str()), nullptr);
    EXPECT_NE(errorText(), "");

    cArrayStr files, folders;
    kaGetFileList(root.c_str(), files);
    kaGetFolderList(root.c_str(), folders);
    EXPECT_EQ(files.count(), 0);
    EXPECT_EQ(folders.count(), 0);
}

TEST_F(Files, SharingRulesDecideWhoMayOpenTogether)
{
    std::string name = at("shared.txt");
    writeBytes(name, "0123456789");

    void* reader = kaOpenFileRead(name.c_str());
    ASSERT_NE(reader, nullptr);
    void* second = kaOpenFileRead(name.c_str());  // readers share with readers and writers
    EXPECT_NE(second, nullptr);
    kaCloseFile(second);
    EXPECT_EQ(kaOpenFileNoShare(name.c_str()), nullptr);
    EXPECT_NE(errorFullText().find(name), std::string::npos);
    kaCloseFile(reader);
    EXPECT_FALSE(heldElsewhere(name));

    void* writer = kaOpenFileWrite_ShareRead(name.c_str());
    ASSERT_NE(writer, nullptr);
    reader = kaOpenFileRead(name.c_str());  // a reader may join; it allows writing
    EXPECT_NE(reader, nullptr);
    EXPECT_EQ(kaOpenFileWrite_ShareRead(name.c_str()), nullptr);  // a second writer may not
    EXPECT_EQ(kaOpenFileReadNoShare(name.c_str()), nullptr);
    EXPECT_EQ(kaCreateFileOver(name.c_str()), nullptr);
    kaCloseFile(reader);
    kaCloseFile(writer);
    EXPECT_EQ(readBytes(name), "0123456789");
}

TEST_F(Files, ShortReadsArePendingButNotShown)
{
    BoxCloser boxes;
    std::string name = at("forty.bin");
    writeBytes(name, std::string(40, 'x'));
    cFile f;
    ASSERT_TRUE(f.openRead(name.c_str()));
    char buf[100];
    kaErrorClear();
    EXPECT_EQ(f.read(buf, 100), 40ul);
    EXPECT_EQ(errorText(), "Failed to read.");
    EXPECT_EQ(f.read(buf, 100), 0ul);
    EXPECT_EQ(f.getPos(), 40);
    Sleep(100);
    EXPECT_TRUE(boxes.texts().empty());
}

TEST_F(Files, FailedWriteIsShownAtOnceAndRestoresThePosition)
{
    std::string name = at("ro.txt");
    writeBytes(name, "0123456789");
    cFile f;
    ASSERT_TRUE(f.openRead(name.c_str()));  // no write access
    f.setPos(4);
    {
        BoxCloser boxes;
        EXPECT_FALSE(f.write("zz", 2));
        ASSERT_EQ(boxes.texts().size(), 1u);
        EXPECT_NE(boxes.texts()[0], "");
    }
    EXPECT_EQ(f.getPos(), 4);
    EXPECT_EQ(kaErrorExist(), 0);  // shown, then cleared
    EXPECT_EQ(readBytes(name), "0123456789");
}

TEST_F(Files, LockedRangesBarOtherHandlesUntilUnlocked)
{
    std::string name = at("locked.bin");
    writeBytes(name, std::string(100, 'x'));
    cFile a;
    ASSERT_TRUE(a.openRead(name.c_str()));
    void* b = kaOpenFileRead(name.c_str());
    ASSERT_NE(b, nullptr);

    a.setPos(7);
    ASSERT_TRUE(a.lock(10, 20));
    EXPECT_EQ(a.getPos(), 7);
    EXPECT_FALSE(a.lock(25, 10));  // overlapping: fails at once
    EXPECT_NE(errorText(), "");

    char buf[10];
    kaSetFilePointer(b, 15, 0);
    if (runningOnWine()) {
        // Wine difference: its reads and writes do not test byte-range locks.
        EXPECT_EQ(kaRead(b, buf, 10), 10ul);
    } else {
        BoxCloser boxes;
        EXPECT_EQ(kaRead(b, buf, 10), 0ul);  // a failed read is shown at once
        EXPECT_EQ(boxes.texts().size(), 1u);
    }
    kaSetFilePointer(b, 0, 0);
    EXPECT_EQ(kaRead(b, buf, 10), 10ul);  // outside the range

    EXPECT_TRUE(a.unlock(10, 20));
    EXPECT_FALSE(a.unlock(10, 20));
    EXPECT_NE(errorText(), "");
    kaSetFilePointer(b, 15, 0);
    EXPECT_EQ(kaRead(b, buf, 10), 10ul);
    kaCloseFile(b);
}

TEST_F(Files, LengthAndPositionFunctionsKeepThePosition)
{
    cFile f;
    ASSERT_TRUE(f.create(at("len.bin").c_str()));
    ASSERT_TRUE(f.write("0123456789", 10));
    EXPECT_EQ(f.getPos(), 10);
    f.setPos(3);
    EXPECT_EQ(f.length(), 10);
    EXPECT_EQ(f.getPos(), 3);
    f.setLength(5);
    EXPECT_EQ(f.length(), 5);
    EXPECT_EQ(f.getPos(), 3);
    EXPECT_EQ(f.setPos(-2, 2), 3);
    EXPECT_EQ(f.setPos(1, 1), 4);
    EXPECT_EQ(kaSetFileLength(f.handle(), 1 << 20), 1);
    EXPECT_EQ(f.length(), 1 << 20);
    EXPECT_EQ(f.getPos(), 4);

    cFile closed;
    kaErrorClear();
    closed.setLength(3);
    EXPECT_EQ(kaErrorExist(), 0);
    char buf[4];
    EXPECT_EQ(closed.read(buf, 4), 0ul);
    EXPECT_EQ(errorText(), "File is not specified.");
    kaErrorClear();
    EXPECT_FALSE(closed.write("x", 1));
    EXPECT_EQ(errorText(), "File is not specified.");
    kaErrorClear();
    EXPECT_EQ(closed.length(), 0);
    EXPECT_EQ(errorText(), "File is not specified.");
}

TEST_F(Files, AFileObjectOwnsExactlyOneHandle)
{
    std::string first = at("first.txt"), second = at("second.txt");
    writeBytes(second, "2");
    cFile f;
    ASSERT_TRUE(f.create(first.c_str()));
    // Opening again closes the first handle: nobody holds first.txt any more.
    ASSERT_TRUE(f.openReadNoShare(second.c_str()));
    EXPECT_FALSE(heldElsewhere(first));
    EXPECT_TRUE(heldElsewhere(second));

    // A failed open leaves the object closed, with the name it was given.
    EXPECT_FALSE(f.openRead((root + "x/missing.txt").c_str()));
    EXPECT_EQ(f.handle(), nullptr);
    EXPECT_EQ(str(f.filename()), at("x\\missing.txt"));
    EXPECT_FALSE(heldElsewhere(second));

    ASSERT_TRUE(f.openWrite_ShareRead(second.c_str()));
    kaErrorClear();
    f.kill();
    EXPECT_EQ(f.handle(), nullptr);
    EXPECT_FALSE(exists(second));
    EXPECT_EQ(kaErrorExist(), 0);
    f.kill();  // nothing left to delete: still silent
    EXPECT_EQ(kaErrorExist(), 0);
}

}  // namespace
