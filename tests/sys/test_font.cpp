#include <gtest/gtest.h>
#include <windows.h>
#include "ka.h"

namespace {

const char* kFamily = "DejaVu Sans";  // ships with the machine's fontconfig

TEST(Font, OwnsItsHandleAndNeverLeaksOrSharesIt)
{
    HFONT callers = CreateFontA(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, kFamily);
    {
        cFont f(callers);
        EXPECT_NE(f.getFont(), callers);
        HFONT before = f.getFont();
        f.setSize(20);
        EXPECT_EQ(GetObjectType(before), 0u);  // every change deletes the font it replaces

        HFONT copied = nullptr;
        {
            cFont copy(f);
            copied = copy.getFont();
            EXPECT_NE(copied, f.getFont());
        }
        EXPECT_EQ(GetObjectType(copied), 0u);
        EXPECT_EQ(GetObjectType(f.getFont()), static_cast<DWORD>(OBJ_FONT));

        // A handle that is no font leaves the object as it was.
        HFONT kept = f.getFont();
        f.set(static_cast<HFONT>(nullptr));
        f.set(static_cast<LOGFONTA*>(nullptr));
        EXPECT_EQ(f.getFont(), kept);
        EXPECT_EQ(f.stringWidth(nullptr), 0);
    }
    EXPECT_EQ(GetObjectType(callers), static_cast<DWORD>(OBJ_FONT));
    DeleteObject(callers);
}

}  // namespace
