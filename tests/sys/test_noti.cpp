#include <gtest/gtest.h>
#include <malloc.h>
#include <string>
#include <vector>
#include "sys/globals.h"
#include "sys/noti.h"

namespace {

// What the top of the chain received.
struct Received {
    WPARAM code;
    cNoti copy;  // a copy is never posted itself: posted is kept apart
    int posted;
    const cNoti* record;
};

std::vector<Received> received;

LRESULT CALLBACK handlerProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != KA_WM_NOTIFY) return DefWindowProcA(wnd, msg, wParam, lParam);
    cNoti* noti = reinterpret_cast<cNoti*>(lParam);
    received.push_back({wParam, *noti, noti->posted, noti});
    if (noti->posted) freePostedNoti(noti);
    return 42;
}

// Blocks in use on the C runtime heap, where every library allocation lives.
int liveBlocks()
{
    _HEAPINFO info{};
    int n = 0;
    while (_heapwalk(&info) == _HEAPOK) n += info._useflag == _USEDENTRY;
    return n;
}

void pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// A handler window on top, two document windows below it: handler > doc > leaf.
class Chain : public ::testing::Test {
protected:
    void SetUp() override
    {
        HINSTANCE inst = GetModuleHandleA(nullptr);
        for (WNDPROC proc : {handlerProc, kaDefDocProc}) {
            WNDCLASSA cls{};
            cls.lpfnWndProc = proc;
            cls.hInstance = inst;
            cls.lpszClassName = proc == handlerProc ? "kaTestHandler" : "kaTestDoc";
            RegisterClassA(&cls);
        }
        top = CreateWindowA("kaTestHandler", "top", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr, inst, nullptr);
        mid = CreateWindowA("kaTestDoc", "mid", WS_CHILD, 0, 0, 100, 100, top, nullptr, inst, nullptr);
        leaf = CreateWindowA("kaTestDoc", "leaf", WS_CHILD, 0, 0, 50, 50, mid, nullptr, inst, nullptr);
        lone = CreateWindowA("kaTestDoc", "lone", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr, inst, nullptr);
        ASSERT_TRUE(top && mid && leaf && lone);
        received.clear();
        received.reserve(8);  // grown before the tests count heap blocks
        kaSetAppTopWindow(top);
    }
    void TearDown() override
    {
        kaSetAppTopWindow(nullptr);
        DestroyWindow(lone);
        DestroyWindow(top);
        pump();
    }

    HWND top = nullptr, mid = nullptr, leaf = nullptr, lone = nullptr;
};

}  // namespace

TEST_F(Chain, PostedCopiesCarryTheSourceAndAreFreed)
{
    pump();
    int blocks = liveBlocks();
    {
        cNoti n;
        n.text1 = "payload";
        n.post(leaf, 173);
        EXPECT_EQ(leaf, n.source);
        EXPECT_TRUE(received.empty());  // nothing arrives before the queue is read
        pump();
        ASSERT_EQ(1u, received.size());
        EXPECT_EQ(173u, received[0].code);
        EXPECT_EQ(1, received[0].posted);
        EXPECT_EQ(leaf, received[0].copy.source);
        EXPECT_STREQ("payload", received[0].copy.text1);

        cNoti nowhere;
        nowhere.post(lone, 5);  // no parent: nothing allocated, nothing posted
        nowhere.post(nullptr, 5);
        kaSetAppTopWindow(nullptr);
        nowhere.postTop(leaf, 5);
        kaSetAppTopWindow(top);
        pump();
        EXPECT_EQ(1u, received.size());
        received.clear();
    }
    EXPECT_EQ(blocks, liveBlocks());
}

TEST(AppGlobals, NameIsCutWithoutSplittingACharacter)
{
    kaInitialize(GetModuleHandleA(nullptr), nullptr, "Orrel");
    kaSetAppName(QueryAppName() + 1);
    EXPECT_STREQ("rrel", QueryAppName());
    // 258 ASCII bytes and a two-byte character: the character does not fit and is not split.
    std::string longName(258, 'n');
    kaSetAppName((longName + "가").c_str());
    EXPECT_EQ(longName, QueryAppName());
    kaSetAppName((longName.substr(1) + "가").c_str());
    EXPECT_EQ(longName.substr(1) + "가", QueryAppName());
    kaInitialize(nullptr, nullptr, nullptr);
    EXPECT_STREQ("", QueryAppName());
}
