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
        WNDCLASSA handler{}, doc{};
        handler.lpfnWndProc = handlerProc;
        handler.hInstance = inst;
        handler.lpszClassName = "kaTestHandler";
        doc.lpfnWndProc = kaDefDocProc;
        doc.hInstance = inst;
        doc.lpszClassName = "kaTestDoc";
        RegisterClassA(&handler);
        RegisterClassA(&doc);
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

TEST_F(Chain, SentNotificationsTravelUpAndKeepTheirSource)
{
    cNoti n;
    EXPECT_EQ(42, n.mouseDown(leaf, 3, 4));
    ASSERT_EQ(1u, received.size());
    EXPECT_EQ(KA_NOTI_MOUSEDOWN, received[0].code);
    EXPECT_EQ(&n, received[0].record);  // the sender's own record, not a copy
    EXPECT_EQ(leaf, received[0].copy.source);
    EXPECT_EQ(3, received[0].copy.x);
    EXPECT_EQ(4, received[0].copy.y);
    EXPECT_EQ(0, received[0].posted);

    EXPECT_EQ(42, n.keyUp(mid, VK_F5));
    EXPECT_EQ(mid, received.back().copy.source);  // the helpers always take the window as source
    EXPECT_EQ(VK_F5, received.back().copy.key);
    EXPECT_EQ(KA_NOTI_KEYUP, received.back().code);

    cNoti keep;
    keep.source = leaf;
    EXPECT_EQ(42, keep.send(mid, 7));  // send keeps a source already set
    EXPECT_EQ(leaf, received.back().copy.source);

    const struct {
        int (cNoti::*call)(HWND, int, int);
        WPARAM code;
    } points[] = {{&cNoti::doubleClick, KA_NOTI_DBLCLICK}, {&cNoti::mouseMove, KA_NOTI_MOUSEMOVE}, {&cNoti::mouseUp, KA_NOTI_MOUSEUP}};
    for (const auto& p : points) {
        cNoti m;
        EXPECT_EQ(42, (m.*p.call)(leaf, 1, 2));
        EXPECT_EQ(p.code, received.back().code);
    }
    cNoti k;
    EXPECT_EQ(42, k.keyDown(leaf, 'A'));
    EXPECT_EQ(KA_NOTI_KEYDOWN, received.back().code);

    EXPECT_EQ(42, kaNotifyActivated(leaf));
    EXPECT_EQ(KA_NOTI_ACTIVATED, received.back().code);
    EXPECT_EQ(leaf, received.back().copy.source);

    size_t before = received.size();
    cNoti none;
    EXPECT_EQ(0, none.send(lone, 5));  // no parent
    EXPECT_EQ(lone, none.source);
    EXPECT_EQ(0, none.send(nullptr, 5));
    EXPECT_EQ(0, SendMessageA(lone, KA_WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&none)));
    EXPECT_EQ(before, received.size());

    EXPECT_EQ(1, SendMessageA(leaf, KA_WM_ISKAWINDOW, 0, 0));
    char title[16] = {};
    EXPECT_EQ(4, GetWindowTextA(leaf, title, sizeof title));  // everything else is default
    EXPECT_STREQ("leaf", title);
}

TEST_F(Chain, PostedCopiesCarryTheSourceAndAreFreed)
{
    pump();
    int blocks = liveBlocks();
    {
        cNoti n;
        n.text1 = "payload";
        n.comment = "c";
        n.post(leaf, 173);
        EXPECT_EQ(leaf, n.source);
        EXPECT_EQ(0, n.posted);
        EXPECT_TRUE(received.empty());  // nothing arrives before the queue is read
        pump();
        ASSERT_EQ(1u, received.size());
        EXPECT_NE(&n, received[0].record);
        EXPECT_EQ(173u, received[0].code);
        EXPECT_EQ(1, received[0].posted);
        EXPECT_EQ(leaf, received[0].copy.source);
        EXPECT_STREQ("payload", received[0].copy.text1);

        cNoti t;
        t.source = mid;  // postTop always takes the window given
        t.postTop(leaf, 190);
        pump();
        ASSERT_EQ(2u, received.size());
        EXPECT_EQ(leaf, received[1].copy.source);
        EXPECT_EQ(1, received[1].posted);

        cNoti nowhere;
        nowhere.post(lone, 5);  // no parent: nothing allocated, nothing posted
        nowhere.post(nullptr, 5);
        kaSetAppTopWindow(nullptr);
        nowhere.postTop(leaf, 5);
        kaSetAppTopWindow(top);
        pump();
        EXPECT_EQ(2u, received.size());
        received.clear();
    }
    EXPECT_EQ(blocks, liveBlocks());
}

TEST_F(Chain, CommentsGoToTheTopWindow)
{
    const char* text = "saving";
    EXPECT_EQ(42, kaNotifyComment(leaf, text));
    EXPECT_EQ(KA_NOTI_COMMENT, received.back().code);
    EXPECT_EQ(text, received.back().copy.comment);
    EXPECT_EQ(leaf, received.back().copy.source);
    EXPECT_EQ(42, kaNotifyComment2(lone, text));  // needs no parent
    EXPECT_EQ(KA_NOTI_COMMENT2, received.back().code);
    EXPECT_EQ(lone, received.back().copy.source);
    EXPECT_EQ(42, kaNotifyCommentFree(leaf));
    EXPECT_EQ(KA_NOTI_COMMENTFREE, received.back().code);
    EXPECT_EQ(nullptr, received.back().copy.comment);

    kaSetAppTopWindow(nullptr);
    EXPECT_EQ(0, kaNotifyComment(leaf, text));
    EXPECT_EQ(3u, received.size());
}

TEST(Noti, CopiesAndAssignment)
{
    cNoti fresh;
    EXPECT_EQ(nullptr, fresh.source);
    EXPECT_EQ(0, fresh.key + fresh.x + fresh.y + fresh.posted + fresh.rect.left + fresh.rect.bottom);
    EXPECT_EQ(0u, fresh.data + fresh.data2);
    EXPECT_EQ(nullptr, fresh.comment);
    EXPECT_TRUE(fresh.text1.isBlank() && fresh.text2.isBlank() && fresh.text3.isBlank());

    cNoti a;
    a.source = reinterpret_cast<HWND>(0x1234);
    a.data = 1;
    a.key = 2;
    a.x = 3;
    a.y = 4;
    a.rect = {5, 6, 7, 8};
    a.comment = "c";
    a.text1 = "t1";
    a.text2 = "t2";
    a.posted = 1;
    a.text3 = "t3";
    a.data2 = 9;
    cNoti copy(a), assigned;
    assigned = a;
    for (const cNoti* n : {&copy, &assigned}) {
        EXPECT_EQ(a.source, n->source);
        EXPECT_EQ(1u, n->data);
        EXPECT_EQ(2 + 3 + 4, n->key + n->x + n->y);
        EXPECT_EQ(8, n->rect.bottom);
        EXPECT_EQ(a.comment, n->comment);
        EXPECT_STREQ("t1", n->text1);
        EXPECT_STREQ("t2", n->text2);
        EXPECT_STREQ("t3", n->text3);
        EXPECT_EQ(9u, n->data2);
    }
    EXPECT_EQ(0, copy.posted);
    EXPECT_EQ(1, assigned.posted);
    freePostedNoti(nullptr);
}

TEST(AppGlobals, SetAndRead)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    kaInitialize(inst, reinterpret_cast<HWND>(0x10), "Orrel");
    EXPECT_EQ(inst, kaGetInstance());
    EXPECT_EQ(reinterpret_cast<HWND>(0x10), QueryAppTopWindow());
    EXPECT_STREQ("Orrel", QueryAppName());
    kaSetAppName(QueryAppName() + 1);
    EXPECT_STREQ("rrel", QueryAppName());

    // 258 ASCII bytes and a two-byte character: the character does not fit and is not split.
    std::string longName(258, 'n');
    kaSetAppName((longName + "가").c_str());
    EXPECT_EQ(longName, QueryAppName());
    kaSetAppName((longName.substr(1) + "가").c_str());
    EXPECT_EQ(longName.substr(1) + "가", QueryAppName());

    kaInitialize(nullptr, nullptr, nullptr);
    EXPECT_EQ(nullptr, kaGetInstance());
    EXPECT_EQ(nullptr, QueryAppTopWindow());
    EXPECT_STREQ("", QueryAppName());
}
