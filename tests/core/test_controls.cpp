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

TEST(Controls, ComboBoxRefusesEmptyTextAndBlanksWhatItCannotRead)
{
    Control cb("COMBOBOX", CBS_DROPDOWNLIST);
    ASSERT_NE(static_cast<HWND>(cb), nullptr);
    EXPECT_EQ(CbAddString(cb, "first"), 0);
    EXPECT_EQ(CbAddString(cb, "두번째"), 1);
    for (const char* empty : {"", static_cast<const char*>(nullptr)}) {
        kaErrorClear();
        EXPECT_EQ(CbAddString(cb, empty), -1);
        EXPECT_EQ(message(), "Null string added to combo box.");
    }
    EXPECT_EQ(CbGetCount(cb), 2);

    cStringA out("stale");
    EXPECT_EQ(CbGetLBString(cb, 1, out), 6);
    EXPECT_EQ(str(out), "두번째");
    EXPECT_EQ(CbGetLBString(cb, 2, out), 0);  // past the end
    EXPECT_TRUE(out.isBlank());

    DWORD_PTR data = static_cast<DWORD_PTR>(reinterpret_cast<UINT_PTR>(&out));  // pointer-sized data survives
    CbSetItemData(cb, 1, data);
    EXPECT_EQ(CbGetItemData(cb, 1), data);
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
    EXPECT_EQ(CbAddStringArr(cb, nullptr, "a"), CB_ERR);
    EXPECT_EQ(CbGetCount(cb), 0);

    kaErrorClear();
    EXPECT_EQ(LbAddStringArr(lb, list, "c"), 3);
    EXPECT_EQ(message(), "Null string added to list box.");
    EXPECT_EQ(SendMessageA(lb, LB_GETCURSEL, 0, 0), 3);
}

}  // namespace
