#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "apptest.h"
#include "framework/fwwinapp.h"

namespace {

TEST(Application, NameAndCommandLineComeFromTheProgramsCommand)
{
    const char* names[][2] = {
        {"C:\\a.b\\orrel", "orrel"},
        {"D:/x/my.tool.EXE", "my.tool"},
        {"\\\\server\\share\\\xB1\xE2\\\xC7\xC1.exe", "\xC7\xC1"},
    };
    for (auto& c : names) {
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(c[1], text(appNameFromPath(c[0])));
    }
    EXPECT_EQ("", text(appNameFromPath(nullptr)));

    const char* tails[][2] = {
        {"\"C:\\Program Files\\orrel.exe\"   C:\\My Projects\\a.orp  ", "C:\\My Projects\\a.orp  "},
        {"\"C:\\unterminated", ""},
        {"orrel.exe \t ?x", "?x"},
    };
    for (auto& c : tails) {
        SCOPED_TRACE(c[0]);
        EXPECT_STREQ(c[1], commandLineTail(c[0]));
    }
    EXPECT_STREQ("", commandLineTail(nullptr));
}

}  // namespace
