#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "apptest.h"
#include "framework/fwstringarray.h"
#include "framework/fwwinapp.h"

namespace {

TEST(Application, NameAndCommandLineComeFromTheProgramsCommand)
{
    const char* names[][2] = {
        {"C:\\a.b\\orrel", "orrel"},
        {"D:/x/my.tool.EXE", "my.tool"},
        {"C:orrel.exe", "orrel"},
        {"\\\\server\\share\\\xB1\xE2\\\xC7\xC1.exe", "\xC7\xC1"},
        {"", ""},
    };
    for (auto& c : names) {
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(c[1], text(appNameFromPath(c[0])));
    }
    EXPECT_EQ("", text(appNameFromPath(nullptr)));

    const char* tails[][2] = {
        {"\"C:\\Program Files\\orrel.exe\"   C:\\My Projects\\a.orp  ", "C:\\My Projects\\a.orp  "},
        {"\"C:\\Program Files\\orrel.exe\"\"quoted\"", "\"quoted\""},
        {"\"C:\\unterminated", ""},
        {"orrel.exe \t ?x", "?x"},
    };
    for (auto& c : tails) {
        SCOPED_TRACE(c[0]);
        EXPECT_STREQ(c[1], commandLineTail(c[0]));
    }
    EXPECT_STREQ("", commandLineTail(nullptr));
}

TEST(StringArray, IndexesOutsideTheListAreHarmless)
{
    CStringArray list;
    list.Add("b");
    list.InsertAt(99, "z");
    list.InsertAt(-5, "a");
    ASSERT_EQ(3, list.GetSize());
    EXPECT_STREQ("a", list[0]);
    EXPECT_STREQ("z", list[2]);
    EXPECT_EQ("", text(list[3]));
    EXPECT_EQ("", text(list[-1]));
    list.RemoveAt(3);
    list.RemoveAt(-1);
    EXPECT_EQ(3, list.GetSize());
}

}  // namespace
