#include <gtest/gtest.h>
#include <atomic>
#include <string>
#include <thread>
#include <vector>
#include "core/error.h"
#include "core/errorshow.h"
#include "sys/globals.h"
#include "sys/noti.h"

namespace {

struct Box {
    HWND wnd;
    HWND owner;
    std::string caption;
    std::string text;
};

std::string windowText(HWND wnd)
{
    char buf[2048] = {};
    GetWindowTextA(wnd, buf, sizeof buf);
    return buf;
}

bool isClass(HWND wnd, const char* name)
{
    char cls[64] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    return strcmp(cls, name) == 0;
}

// Every visible message box (dialog class #32770) of a thread, with the text of its static controls.
std::vector<Box> boxesOf(DWORD thread)
{
    std::vector<Box> boxes;
    EnumThreadWindows(
        thread,
        [](HWND wnd, LPARAM found) -> BOOL {
            if (!isClass(wnd, "#32770") || !IsWindowVisible(wnd)) return TRUE;
            Box box{wnd, GetWindow(wnd, GW_OWNER), windowText(wnd), ""};
            for (HWND c = GetWindow(wnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                if (isClass(c, "Static")) box.text += windowText(c);
            reinterpret_cast<std::vector<Box>*>(found)->push_back(box);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}

// Watches the calling thread for message boxes and closes each one with OK,
// so that showing an error never blocks the test.
class BoxCloser {
public:
    BoxCloser() : ui(GetCurrentThreadId()), watcher([this] { watch(); }) {}
    ~BoxCloser() { finish(); }
    // Stops watching; what was closed is then safe to read.
    const std::vector<Box>& finish()
    {
        stop = true;
        if (watcher.joinable()) watcher.join();
        return closed;
    }

private:
    void watch()
    {
        while (!stop) {
            for (const Box& box : boxesOf(ui)) {
                if (!closed.empty() && closed.back().wnd == box.wnd) continue;
                closed.push_back(box);
                PostMessageA(box.wnd, WM_COMMAND, IDOK, 0);
            }
            Sleep(5);
        }
    }

    DWORD ui;
    std::atomic<bool> stop{false};
    std::vector<Box> closed;
    std::thread watcher;
};

struct Notice {
    WPARAM code;
    HWND source;
    size_t boxesShown;
};

std::vector<Notice> notices;

LRESULT CALLBACK topProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != KA_WM_NOTIFY) return DefWindowProcA(wnd, msg, wParam, lParam);
    notices.push_back({wParam, reinterpret_cast<cNoti*>(lParam)->source, boxesOf(GetCurrentThreadId()).size()});
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
        top = CreateWindowA("kaTestTop", "top", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, cls.hInstance, nullptr);
        other = CreateWindowA("kaTestTop", "other", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, cls.hInstance, nullptr);
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
    {
        BoxCloser closer;
        kaErrorShow(nullptr);
        const std::vector<Box>& boxes = closer.finish();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(top, boxes[0].owner);
        EXPECT_EQ("오렐 시험", boxes[0].caption);
        EXPECT_EQ(expected, boxes[0].text);
    }
    ASSERT_EQ(1u, notices.size());
    EXPECT_EQ(602u, notices[0].code);
    EXPECT_EQ(top, notices[0].source);
    EXPECT_EQ(0u, notices[0].boxesShown);  // told before the box appears
    EXPECT_FALSE(kaErrorExist());
    EXPECT_TRUE(kaErrorGetMsgFull().isBlank());

    kaErrorSetMsg("second");
    {
        BoxCloser closer;
        kaErrorShow(other);
        const std::vector<Box>& boxes = closer.finish();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(other, boxes[0].owner);
        EXPECT_EQ("second", boxes[0].text);
    }
    ASSERT_EQ(2u, notices.size());
    EXPECT_EQ(other, notices[1].source);  // the top window hears about every box
    EXPECT_EQ(other, GetFocus());
    EXPECT_FALSE(kaErrorExist());
}

TEST_F(ErrorShow, NothingPendingOrMutedShowsNothing)
{
    BoxCloser closer;
    kaErrorShow(nullptr);

    kaErrorMute(true);
    kaErrorSetMsg("quiet");
    kaErrorSetTask("with a task line");
    kaErrorShow(top);
    EXPECT_TRUE(kaErrorExist());  // a muted message stays pending
    EXPECT_STREQ("quiet", kaErrorGetMsg());
    kaErrorMute(false);

    EXPECT_TRUE(closer.finish().empty());
    EXPECT_TRUE(notices.empty());
}

TEST_F(ErrorShow, WithoutAnyWindowTheBoxHasNoOwner)
{
    kaInitialize(nullptr, nullptr, nullptr);
    kaErrorSetMsg("alone");
    BoxCloser closer;
    kaErrorShow(nullptr);
    const std::vector<Box>& boxes = closer.finish();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(nullptr, boxes[0].owner);
    EXPECT_EQ("", boxes[0].caption);
    EXPECT_EQ("alone", boxes[0].text);
    EXPECT_TRUE(notices.empty());
    EXPECT_FALSE(kaErrorExist());
}

TEST_F(ErrorShow, CollectedMessagesShowNewestFirstAndStay)
{
    cError empty;
    empty.addMsg(nullptr);
    {
        BoxCloser closer;
        cError().show(top);
        empty.show(top);  // one null entry joins to nothing
        EXPECT_TRUE(closer.finish().empty());
    }
    EXPECT_TRUE(notices.empty());

    cError errors;
    errors.addMsg("first");
    errors.addMsg("second");
    errors.addMsg("");
    errors.addMsg("third");
    cError copy(errors), assigned;
    assigned = errors;
    errors.clear();
    {
        BoxCloser closer;
        copy.show(other);
        const std::vector<Box>& boxes = closer.finish();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(other, boxes[0].owner);
        EXPECT_EQ("오렐 시험", boxes[0].caption);
        EXPECT_EQ("third\r\n\r\nsecond\r\nfirst", boxes[0].text);
    }
    ASSERT_EQ(1u, notices.size());
    EXPECT_EQ(602u, notices[0].code);
    EXPECT_EQ(other, notices[0].source);

    cArrayStr list;
    list.append("stale");
    copy.getMsg(list);
    ASSERT_EQ(4, list.count());  // showing keeps the list
    EXPECT_STREQ("first", list[0]);
    EXPECT_EQ(nullptr, list[2]);
    assigned.getMsg(list);
    EXPECT_EQ(4, list.count());
    errors.getMsg(list);
    EXPECT_EQ(0, list.count());
}
