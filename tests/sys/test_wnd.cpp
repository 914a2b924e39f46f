#include <gtest/gtest.h>
#include <windows.h>
#include "ka.h"
#include "sys/gdiutil.h"

namespace {

// Records the virtual calls the library makes.
class Probe : public cWnd {
public:
    explicit Probe(bool accept = true) : accept(accept) {}
    bool onCreate() override { return accept; }
    void onDestroy() override { ++destroyed; }
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_SETFONT) fontSet = reinterpret_cast<HFONT>(wp);
        return cWnd::wndProc(msg, wp, lp);
    }
    unsigned short childId() const { return id; }

    bool accept;
    int destroyed = 0;
    HFONT fontSet = nullptr;
};

TEST(Window, PointerSizedClassDataChildIdsAndMissingItems)
{
    cWnd w;
    ASSERT_TRUE(w.create(nullptr, nullptr, 3, WS_POPUP, "top"));
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "kaWINDOW", &wc));
    EXPECT_EQ(wc.cbWndExtra, static_cast<int>(sizeof(void*)));
    EXPECT_EQ(w.getBorderType(), 0);  // not a child
    EXPECT_EQ(w.sendMessage(KA_WM_GETOBJECT, 0, 0), reinterpret_cast<LRESULT>(&w));
    EXPECT_EQ(SendMessageA(w.getHwnd(), KA_WM_NOTIFY, 5, 0), 0);  // no record: nothing to pass on

    for (int border : {3, 4, 7}) {
        Probe child;
        ASSERT_TRUE(child.create(w.getHwnd(), reinterpret_cast<HMENU>(0x12345), border, WS_CHILD, ""));
        EXPECT_EQ(child.childId(), 0x2345);
        EXPECT_EQ(child.borderWidth(), border == 3 ? 2 : 0) << border;
    }
    w.destroy();
    EXPECT_EQ(w.getHwnd(), nullptr);
}

TEST(Window, CreationRefusedDestroyedAndOutlived)
{
    Probe refused(false);
    EXPECT_FALSE(refused.create(nullptr, nullptr, 0, WS_POPUP, ""));
    EXPECT_EQ(refused.getHwnd(), nullptr);

    // Destroyed by the system: the object is told, its handle stays as it was.
    Probe p;
    ASSERT_TRUE(p.create(nullptr, nullptr, 0, WS_POPUP, ""));
    HWND h = p.getHwnd();
    DestroyWindow(h);
    EXPECT_EQ(p.destroyed, 1);
    EXPECT_FALSE(p.isWindow());

    // An object that dies before its window unbinds it: no call into a dead object.
    Probe* early = new Probe;
    ASSERT_TRUE(early->create(nullptr, nullptr, 0, WS_POPUP, ""));
    h = early->getHwnd();
    delete early;
    EXPECT_EQ(SendMessageA(h, KA_WM_GETOBJECT, 0, 0), 0);
    EXPECT_TRUE(DestroyWindow(h));
}

TEST(Window, FontAndBrushAreOwnedAndReplacedWithoutLeaks)
{
    int baseline = gdiLiveCount();
    {
        Probe w;
        ASSERT_TRUE(w.create(nullptr, nullptr, 0, WS_POPUP, ""));
        HFONT given = CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
        HFONT old = w.getFont();
        w.setFont(given);
        EXPECT_NE(w.getFont(), given);
        EXPECT_EQ(w.fontSet, w.getFont());
        EXPECT_EQ(GetObjectType(old), 0u);
        DeleteObject(given);

        HBRUSH oldBrush = w.getBrush();
        w.setFillColor(0x0000FF);
        LOGBRUSH lb;
        GetObjectA(w.getBrush(), sizeof(lb), &lb);
        EXPECT_EQ(lb.lbColor, 0x0000FFu);
        EXPECT_EQ(GetObjectType(oldBrush), 0u);
        w.destroy();
    }
    EXPECT_EQ(gdiLiveCount(), baseline);
}

}  // namespace
