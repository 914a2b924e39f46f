#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "ka.h"

namespace {

const std::string kTask = "\n하던 일 : ";
const std::string kFile = "\n서류명 : ";

std::string full() { return std::string(kaErrorGetMsgFull().getPtr() ? kaErrorGetMsgFull().getPtr() : ""); }
std::string msg()
{
    cStringA m = kaErrorGetMsg();
    return m.getPtr() ? m.getPtr() : "";
}

class ErrorChannel : public ::testing::Test {
protected:
    void SetUp() override { kaErrorMute(false); }
};

TEST_F(ErrorChannel, ComposesMessageThenOuterTasksThenPendingFile)
{
    // The labels are code page 949 text at run time.
    EXPECT_EQ(std::string("하던 일"), "\xC7\xCF\xB4\xF8 \xC0\xCF");

    kaErrorSetMsg("A");
    kaErrorSetFile("f.txt");
    kaErrorSetTask("Copy file");
    EXPECT_EQ(full(), "A" + kTask + "Copy file" + kFile + "f.txt");

    kaErrorSetMsg("A");
    kaErrorSetTask("inner");
    kaErrorSetTask("outer");
    EXPECT_EQ(full(), "A" + kTask + "outer" + kTask + "inner");

    // A file named after the last task is moved in by the readers.
    kaErrorSetMsg("A");
    kaErrorSetFile("f");
    EXPECT_EQ(msg(), "A");
    EXPECT_EQ(full(), "A" + kFile + "f");

    kaErrorSetMsg("B");
    EXPECT_EQ(full(), "B");  // a new message drops the old context
}

TEST_F(ErrorChannel, TaskTextAndFileNameStayInsideTheirLimits)
{
    kaErrorSetMsg("A");
    std::string task(290, 't');
    kaErrorSetTask(task.c_str());  // under the limit: added
    kaErrorSetFile("late.txt");
    kaErrorSetTask("dropped");     // at or past 300 bytes: dropped, file consumed
    EXPECT_EQ(full(), "A" + kTask + task);

    std::string name(1000, 'n');
    name[258] = '\xB0';  // a lead byte whose partner would not fit
    kaErrorSetMsg("A");
    kaErrorSetFile(name.c_str());
    kaErrorSetTask(nullptr);
    EXPECT_EQ(full(), "A" + kFile + std::string(258, 'n'));
}

TEST_F(ErrorChannel, SystemTextsAndFallbacks)
{
    SetLastError(0x2000BEEF);  // a customer code the system has no text for
    kaErrorSetSystem("Cannot open the file.");
    EXPECT_EQ(msg(), "Cannot open the file.");

    kaErrorSetMsg("kept");
    int probe = 1;
    EXPECT_EQ(checkMemory(&probe), &probe);
    EXPECT_FALSE(kaErrorSetCommonDlg("fallback"));  // no common-dialog error pending
    EXPECT_EQ(msg(), "kept");
    SetLastError(0x2000BEEF);
    EXPECT_EQ(checkMemory(nullptr), nullptr);
    EXPECT_EQ(msg(), "No memory");
}

}  // namespace
