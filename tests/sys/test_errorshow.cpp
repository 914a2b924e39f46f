#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "ka.h"
#include "../support/scratch.h"

namespace {

struct Notice {
    WPARAM code;
    HWND source;
    size_t boxesShown;
};

std::vector<Notice> notices;

LRESULT CALLBACK topProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != KA_WM_NOTIFY) return DefWindowProcA(wnd, msg, wParam, lParam);
    notices.push_back({wParam, reinterpret_cast<cNoti*>(lParam)->source, visibleMessageBoxes().size()});
    return 0;
}

class ErrorShow : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA cls{};
        cls.lpfnWndProc = topProc;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.lpszClassName = "kaTestTop";
        RegisterClassA(&cls);
        for (HWND* w : {&top, &other})
            *w = CreateWindowA("kaTestTop", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, cls.hInstance, nullptr);
        ASSERT_TRUE(top && other);
        kaInitialize(cls.hInstance, top, "오렐 시험");
        kaErrorMute(false);
        kaErrorClear();
        notices.clear();
    }
    void TearDown() override
    {
        kaInitialize(nullptr, nullptr, nullptr);
        kaErrorMute(false);
        DestroyWindow(other);
        DestroyWindow(top);
    }

    HWND top = nullptr, other = nullptr;
};

}  // namespace

TEST_F(ErrorShow, ShowsThePendingMessageOwnedByTheTopWindowAndClearsTheChannel)
{
    kaErrorSetMsg("디스크가 꽉 찼습니다.");
    kaErrorSetFile("a.orp");
    kaErrorSetTask("saving");
    const std::string expected = static_cast<const char*>(kaErrorGetMsgFull());
    BoxCloser closer;
    kaErrorShow(nullptr);
    const std::vector<ShownBox> boxes = closer.boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(top, boxes[0].owner);
    EXPECT_EQ("오렐 시험", boxes[0].caption);
    EXPECT_EQ(expected, boxes[0].text);
    ASSERT_EQ(1u, notices.size());
    EXPECT_EQ(602u, notices[0].code);
    EXPECT_EQ(top, notices[0].source);
    EXPECT_EQ(0u, notices[0].boxesShown);  // told before the box appears
    EXPECT_FALSE(kaErrorExist());
    EXPECT_TRUE(kaErrorGetMsgFull().isBlank());
}

TEST_F(ErrorShow, CollectedMessagesShowNewestFirstAndStay)
{
    cError errors;
    for (const char* m : {"first", "second", "", "third"}) errors.addMsg(m);
    cError copy(errors);
    errors.clear();
    {
        BoxCloser closer;
        copy.show(other);
        const std::vector<ShownBox> boxes = closer.boxes();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(other, boxes[0].owner);
        EXPECT_EQ("third\r\n\r\nsecond\r\nfirst", boxes[0].text);
    }
    ASSERT_EQ(1u, notices.size());
    EXPECT_EQ(other, notices[0].source);  // the top window hears about every box
}
