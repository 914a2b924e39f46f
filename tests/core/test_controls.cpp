#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "ka.h"

namespace {

std::string message()
{
    cStringA m = kaErrorGetMsg();
    return m.getPtr() ? m.getPtr() : "";
}

std::string str(const cStringA& s) { return s.getPtr() ? s.getPtr() : ""; }

// A real control, hidden, destroyed with the test.
class Control {
public:
    Control(const char* cls, DWORD style, const char* text = "")
        : hwnd(CreateWindowExA(0, cls, text, style, 0, 0, 200, 200, nullptr, nullptr, GetModuleHandleA(nullptr),
                               nullptr))
    {
    }
    ~Control() { DestroyWindow(hwnd); }
    operator HWND() const { return hwnd; }

private:
    HWND hwnd;
};

TEST(Controls, ComboBoxAddsReadsAndRefusesEmptyText)
{
    Control cb("COMBOBOX", CBS_DROPDOWNLIST);
    ASSERT_NE(static_cast<HWND>(cb), nullptr);
    EXPECT_EQ(CbAddString(cb, "first"), 0);
    EXPECT_EQ(CbAddString(cb, "두번째"), 1);

    kaErrorClear();
    EXPECT_EQ(CbAddString(cb, ""), -1);
    EXPECT_EQ(message(), "Null string added to combo box.");
    kaErrorClear();
    EXPECT_EQ(CbAddString(cb, nullptr), -1);
    EXPECT_EQ(message(), "Null string added to combo box.");
    EXPECT_EQ(CbGetCount(cb), 2);

    cStringA out("stale");
    EXPECT_EQ(CbGetLBString(cb, 1, out), 6);
    EXPECT_EQ(str(out), "두번째");
    EXPECT_EQ(CbGetLBString(cb, 2, out), 0);  // past the end
    EXPECT_TRUE(out.isBlank());
    EXPECT_EQ(CbGetLBString(cb, -1, out), 0);
    EXPECT_TRUE(out.isBlank());

    DWORD_PTR data = static_cast<DWORD_PTR>(reinterpret_cast<UINT_PTR>(&out));  // pointer-sized data survives
    CbSetItemData(cb, 1, data);
    EXPECT_EQ(CbGetItemData(cb, 1), data);
    EXPECT_EQ(CbFindStringExact(cb, "FIRST"), 0);  // the control's own rule: case-insensitive
    EXPECT_EQ(CbFindStringExact(cb, "fir"), CB_ERR);

    EXPECT_EQ(CbSetCurSel(cb, 1), 1);
    EXPECT_EQ(CbGetCurSel(cb), 1);
    CbResetContent(cb);
    EXPECT_EQ(CbGetCount(cb), 0);
    EXPECT_EQ(CbGetCurSel(cb), CB_ERR);
}

TEST(Controls, FillingFromAListSelectsTheLastMatch)
{
    Control cb("COMBOBOX", CBS_DROPDOWNLIST);
    Control lb("LISTBOX", 0);
    const char* list[] = {"a", "b", "", "b", "c", nullptr};

    CbAddString(cb, "old");
    kaErrorClear();
    // The empty entry is refused with its message but does not stop the loop.
    EXPECT_EQ(CbAddStringArr(cb, list, "b"), 2);
    EXPECT_EQ(message(), "Null string added to combo box.");
    EXPECT_EQ(CbGetCount(cb), 4);
    EXPECT_EQ(CbGetCurSel(cb), 2);  // the second "b"
    EXPECT_EQ(CbAddStringArr(cb, list, "B"), CB_ERR);  // case-sensitive: no match
    EXPECT_EQ(CbGetCurSel(cb), CB_ERR);
    EXPECT_EQ(CbAddStringArr(cb, list, nullptr), CB_ERR);
    EXPECT_EQ(CbAddStringArr(cb, nullptr, "a"), CB_ERR);
    EXPECT_EQ(CbGetCount(cb), 0);

    kaErrorClear();
    EXPECT_EQ(LbAddStringArr(lb, list, "c"), 3);
    EXPECT_EQ(message(), "Null string added to list box.");
    EXPECT_EQ(SendMessageA(lb, LB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageA(lb, LB_GETCURSEL, 0, 0), 3);
}

TEST(Controls, ListBoxInsertsModifiesAndReportsErrors)
{
    Control lb("LISTBOX", 0);
    EXPECT_EQ(LbAddString(lb, "one"), 0);
    EXPECT_EQ(LbAddString(lb, "three"), 1);
    EXPECT_EQ(LbInsertString(lb, 1, "two"), 1);

    kaErrorClear();
    EXPECT_EQ(LbInsertString(lb, 9, "far"), LB_ERR);  // past the end
    EXPECT_EQ(message(), "Error occured in LbInsertString().");
    kaErrorClear();
    EXPECT_EQ(LbInsertString(lb, 0, ""), -1);
    EXPECT_EQ(message(), "Null string inserted to list box.");
    kaErrorClear();
    EXPECT_EQ(LbAddString(lb, nullptr), -1);
    EXPECT_EQ(message(), "Null string added to list box.");
    EXPECT_EQ(SendMessageA(lb, LB_GETCOUNT, 0, 0), 3);

    // Replacing an item keeps the selection that was current.
    SendMessageA(lb, LB_SETCURSEL, 2, 0);
    char text[] = "TWO";
    EXPECT_EQ(LbModifyString(lb, 1, text), 2);
    cStringA out;
    EXPECT_EQ(LbGetString(lb, 1, out), 3);
    EXPECT_EQ(str(out), "TWO");
    EXPECT_EQ(SendMessageA(lb, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(LbGetString(lb, 3, out), 0);
    EXPECT_TRUE(out.isBlank());
    EXPECT_EQ(LbFindStringExact(lb, "three"), 2);
    EXPECT_EQ(LbFindStringExact(lb, "thr"), LB_ERR);
}

TEST(Controls, EditTextSelectionAndFlags)
{
    Control edit("EDIT", ES_AUTOHSCROLL, "한글 text");
    cStringA out("stale");
    GetWindowString(edit, out);
    EXPECT_EQ(str(out), "한글 text");
    SetWindowTextA(edit, "");
    GetWindowString(edit, out);
    EXPECT_TRUE(out.isBlank());
    GetWindowString(nullptr, out);
    EXPECT_TRUE(out.isBlank());

    SetWindowTextA(edit, "abcdef");
    EmSetSel(edit, 1, 4);
    int start = -1, end = -1;
    EmGetSel(edit, &start, &end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 4);

    EmSetModify(edit, 1);
    EXPECT_TRUE(EmGetModify(edit));
    EmSetModify(edit, 0);
    EXPECT_FALSE(EmGetModify(edit));

    EmSetLimitText(edit, 3);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 3);

    EXPECT_TRUE(EmSetReadOnly(edit, 1));
    EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(EmSetReadOnly(edit, 0));
    EXPECT_FALSE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
}

TEST(Controls, ScrollBarRangePageAndPosition)
{
    Control sb("SCROLLBAR", SBS_HORZ);
    sbmSetRange(sb, SB_CTL, 10, 90, 0);
    int lo = -1, hi = -1;
    EXPECT_TRUE(sbmGetRange(sb, SB_CTL, &lo, &hi));
    EXPECT_EQ(lo, 10);
    EXPECT_EQ(hi, 90);
    sbmSetPage(sb, SB_CTL, 20, 0);
    sbmSetPos(sb, SB_CTL, 50, 1);
    SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(sb, SB_CTL, &si);
    EXPECT_EQ(si.nPage, 20u);
    EXPECT_EQ(si.nPos, 50);
    EXPECT_EQ(sbmGetPos(sb, SB_CTL), si.nTrackPos);

    // A null handle reads as zero and is never touched.
    lo = hi = 7;
    EXPECT_FALSE(sbmGetRange(nullptr, SB_CTL, &lo, &hi));
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 0);
    EXPECT_EQ(sbmGetPos(nullptr, SB_CTL), 0);
    sbmSetPos(nullptr, SB_CTL, 5, 1);
    sbmSetRange(nullptr, SB_CTL, 0, 5, 1);
    sbmSetPage(nullptr, SB_CTL, 5, 1);
}

}  // namespace
