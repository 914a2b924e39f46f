#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include <vector>
#include "ka.h"

namespace {

const char* kFamily = "DejaVu Sans";  // ships with the machine's fontconfig

LOGFONTA description(const char* face, int height, int weight)
{
    LOGFONTA lf = {};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(lf.lfFaceName, face);
    return lf;
}

LOGFONTA described(HFONT font)
{
    LOGFONTA lf = {};
    GetObjectA(font, sizeof(lf), &lf);
    return lf;
}

std::string str(const cStringA& s) { return s.getPtr() ? s.getPtr() : ""; }

TEST(Font, StylesAndSizeChangeOnlyWhatTheyName)
{
    LOGFONTA lf = description(kFamily, -12, FW_LIGHT);
    cFont f;
    f.set(&lf);
    f.removeStyle(cFont::Bold);
    EXPECT_EQ(described(f.getFont()).lfWeight, FW_NORMAL);  // even from a light weight
    f.addStyle(cFont::Bold | cFont::Italic | cFont::Underline | cFont::StrikeOut);
    f.setSize(12);
    EXPECT_TRUE(f.isBold());
    EXPECT_EQ(str(f.toString()), std::string(kFamily) + ",12,bold,Italic,Underline,StrikeThrough");
    lf.lfWeight = 600;  // not bold
    f.set(&lf);
    EXPECT_FALSE(f.isBold());
    EXPECT_EQ(str(f.toString()), std::string(kFamily) + ",9");
}

TEST(Font, SetNameTakesTheFamilysOwnDescriptionOrChangesNothing)
{
    LOGFONTA first = description("unset", 0, 0);
    kaGetLogFont(kFamily, &first);
    LOGFONTA bold = description("DejaVu Sans Mono", -20, FW_BOLD);
    cFont f;
    f.set(&bold);
    f.setName(kFamily);
    EXPECT_STREQ(f.getName(), kFamily);
    EXPECT_EQ(described(f.getFont()).lfHeight, first.lfHeight);
    EXPECT_EQ(f.isBold(), first.lfWeight >= FW_BOLD);

    LOGFONTA probe;
    std::memset(&probe, 0x5A, sizeof(probe));
    LOGFONTA copy = probe;
    kaGetLogFont("No Such Family Here", &probe);
    kaGetLogFont(nullptr, &probe);
    EXPECT_EQ(std::memcmp(&probe, &copy, sizeof(probe)), 0);
    f.setName("No Such Family Here");
    EXPECT_STREQ(f.getName(), kFamily);
}

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

std::vector<std::string> items(HWND comboBox)
{
    std::vector<std::string> out;
    for (int i = 0; i < CbGetCount(comboBox); ++i) {
        cStringA s;
        CbGetLBString(comboBox, static_cast<short>(i), s);
        out.push_back(str(s));
    }
    return out;
}

TEST(FontPickers, EachFamilyOnceAndTheStandardSizesOnce)
{
    HWND cb = CreateWindowExA(0, "COMBOBOX", "", CBS_DROPDOWNLIST, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    CbAddString(cb, "stale");
    kaSetFontNameList(cb, 0, "dejavu sans", 0);
    std::vector<std::string> names = items(cb);
    ASSERT_FALSE(names.empty());
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_NE(names[i][0], '@');
        for (size_t j = i + 1; j < names.size(); ++j) EXPECT_NE(names[i], names[j]);
    }
    int sel = CbGetCurSel(cb);
    ASSERT_GE(sel, 0);
    EXPECT_EQ(names[sel], kFamily);  // selected ignoring case

    // The family has several faces and character sets; the list still has 16 sizes.
    const std::vector<std::string> standard = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                                               "20", "22", "24", "26", "28", "36", "48", "72"};
    kaSetFontSize(cb, 0, kFamily, 1);
    EXPECT_EQ(items(cb), standard);
    EXPECT_EQ(CbGetCurSel(cb), 4);  // 12
    kaSetFontSize(cb, 0, kFamily, 100);
    EXPECT_EQ(CbGetCurSel(cb), 15);  // all smaller: the last
    kaSetFontSize(cb, 0, "No Such Family Here", 9);
    EXPECT_EQ(CbGetCount(cb), 0);
    DestroyWindow(cb);
}

}  // namespace
