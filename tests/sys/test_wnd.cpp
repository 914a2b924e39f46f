#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <vector>
#include "ka.h"
#include "sys/gdiutil.h"
#include "sys/noti.h"

namespace {

const UINT kProbeMessage = WM_APP + 100;

// A plain window (not a library window) that records what reaches it.
struct Sink {
    std::vector<WPARAM> codes;
    std::vector<HWND> sources;
    std::vector<HWND> probed;
};
Sink gSink;

LRESULT CALLBACK sinkProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == KA_WM_NOTIFY) {
        gSink.codes.push_back(wp);
        gSink.sources.push_back(reinterpret_cast<cNoti*>(lp)->source);
        return 77;
    }
    if (msg == kProbeMessage) gSink.probed.push_back(hwnd);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

HWND makeSink(HWND parent, DWORD style, int x, int y, int w, int h)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = sinkProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "kaTestSink";
        registered = RegisterClassA(&wc) != 0;
    }
    gSink = Sink();
    return CreateWindowExA(0, "kaTestSink", "", style, x, y, w, h, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Records the virtual calls the library makes.
class Probe : public cWnd {
public:
    explicit Probe(bool accept = true) : accept(accept) {}
    bool onCreate() override
    {
        ++created;
        return accept;
    }
    void onDestroy() override { ++destroyed; }
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_SETFONT) fontSet = reinterpret_cast<HFONT>(wp);
        if (msg == kProbeMessage) probed = true;
        return cWnd::wndProc(msg, wp, lp);
    }
    unsigned short childId() const { return id; }

    bool accept;
    int created = 0, destroyed = 0;
    HFONT fontSet = nullptr;
    bool probed = false;
};

RECT rectOf(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

void expectRect(const RECT& r, int left, int top, int right, int bottom)
{
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

TEST(Window, ClassAndQueries)
{
    cWnd w;
    EXPECT_EQ(w.getType(), 98);
    EXPECT_FALSE(w.isWindow());
    ASSERT_TRUE(w.create(nullptr, nullptr, 3, WS_POPUP, "top"));
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "kaWINDOW", &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_DBLCLKS | CS_GLOBALCLASS));
    EXPECT_EQ(wc.cbWndExtra, static_cast<int>(sizeof(void*)));
    EXPECT_EQ(wc.hbrBackground, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(wc.hCursor, nullptr);
    EXPECT_EQ(wc.hIcon, nullptr);

    expectRect(rectOf(w.getHwnd()), -100, -100, 0, 0);
    EXPECT_EQ(w.getBorderType(), 0);  // not a child
    char caption[16] = {};
    GetWindowTextA(w.getHwnd(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "top");
    EXPECT_EQ(w.sendMessage(KA_WM_GETOBJECT, 0, 0), reinterpret_cast<LRESULT>(&w));
    EXPECT_EQ(w.sendMessage(KA_WM_ISKAWINDOW, 0, 0), 1);
    EXPECT_EQ(SendMessageA(w.getHwnd(), KA_WM_NOTIFY, 5, 0), 0);  // no record: nothing to pass on
    w.destroy();
    EXPECT_FALSE(w.isWindow());
    EXPECT_EQ(w.getHwnd(), nullptr);
}

TEST(Window, ChildTakesIdAndBorderStyle)
{
    cWnd parent;
    ASSERT_TRUE(parent.create(nullptr, nullptr, 0, WS_POPUP, ""));
    struct Case {
        int border;
        bool wsBorder, clientEdge;
        int width;
    } cases[] = {{0, false, false, 0}, {1, true, false, 1}, {2, false, true, 2}, {3, false, true, 2},
                 {4, false, false, 0}, {5, false, true, 2}, {6, false, true, 2}, {7, false, false, 0}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.border);
        Probe child;
        ASSERT_TRUE(child.create(parent.getHwnd(), reinterpret_cast<HMENU>(0x12345), k.border, WS_CHILD, ""));
        EXPECT_EQ(child.childId(), 0x2345);
        EXPECT_EQ(child.getBorderType(), k.border);
        EXPECT_EQ(child.borderWidth(), k.width);
        EXPECT_EQ((GetWindowLongA(child.getHwnd(), GWL_STYLE) & WS_BORDER) != 0, k.wsBorder);
        EXPECT_EQ((GetWindowLongA(child.getHwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, k.clientEdge);
        child.destroy();
    }
    parent.destroy();
}

TEST(Window, CreationRefusedDestroyedAndOutlived)
{
    Probe refused(false);
    EXPECT_FALSE(refused.create(nullptr, nullptr, 0, WS_POPUP, ""));
    EXPECT_EQ(refused.getHwnd(), nullptr);
    EXPECT_EQ(refused.created, 1);

    Probe p;
    ASSERT_TRUE(p.create(nullptr, nullptr, 0, WS_POPUP, ""));
    p.destroy();
    EXPECT_EQ(p.destroyed, 1);
    EXPECT_EQ(p.getHwnd(), nullptr);

    // Destroyed by the system: the object is told, its handle stays as it was.
    ASSERT_TRUE(p.create(nullptr, nullptr, 0, WS_POPUP, ""));
    HWND h = p.getHwnd();
    DestroyWindow(h);
    EXPECT_EQ(p.destroyed, 2);
    EXPECT_EQ(p.getHwnd(), h);
    EXPECT_FALSE(p.isWindow());

    // An object that dies before its window unbinds it: no call into a dead object.
    Probe* early = new Probe;
    ASSERT_TRUE(early->create(nullptr, nullptr, 0, WS_POPUP, ""));
    h = early->getHwnd();
    delete early;
    EXPECT_EQ(SendMessageA(h, KA_WM_GETOBJECT, 0, 0), 0);
    EXPECT_TRUE(DestroyWindow(h));
}

TEST(Window, NotificationsTravelUpThroughLibraryWindows)
{
    HWND top = makeSink(nullptr, WS_POPUP, 0, 0, 100, 100);
    cWnd middle, leaf;
    ASSERT_TRUE(middle.create(top, nullptr, 0, WS_CHILD, ""));
    ASSERT_TRUE(leaf.create(middle.getHwnd(), nullptr, 0, WS_CHILD, ""));
    cNoti n;
    EXPECT_EQ(n.mouseDown(leaf.getHwnd(), 3, 4), 77);  // the sink's answer comes back
    ASSERT_EQ(gSink.codes.size(), 1u);
    EXPECT_EQ(gSink.codes[0], static_cast<WPARAM>(KA_NOTI_MOUSEDOWN));
    EXPECT_EQ(gSink.sources[0], leaf.getHwnd());
    leaf.destroy();
    middle.destroy();
    DestroyWindow(top);
}

TEST(Window, MoveResizeAndOffset)
{
    Probe w;
    ASSERT_TRUE(w.create(nullptr, nullptr, 0, WS_POPUP, ""));
    w.move(10, 20);
    expectRect(rectOf(w.getHwnd()), 10, 20, 110, 120);
    w.resize(30, 40);
    expectRect(rectOf(w.getHwnd()), 10, 20, 40, 60);
    w.resize(-1, 10);
    w.resize(10, -1);
    expectRect(rectOf(w.getHwnd()), 10, 20, 40, 60);
    w.movesize(1, 2, 3, 4);
    expectRect(rectOf(w.getHwnd()), 1, 2, 4, 6);
    w.offsetLocation(5, 6);
    expectRect(rectOf(w.getHwnd()), 6, 8, 9, 12);

    // A child moves in its parent's client coordinates.
    cWnd child;
    w.movesize(200, 100, 100, 100);
    ASSERT_TRUE(child.create(w.getHwnd(), nullptr, 0, WS_CHILD, ""));
    child.movesize(10, 10, 20, 20);
    child.offsetLocation(5, 7);
    expectRect(rectOf(child.getHwnd()), 215, 117, 235, 137);
    child.destroy();

    // A minimised window stays minimised and hidden; its restored place changes.
    Probe minimised;
    ASSERT_TRUE(minimised.create(nullptr, nullptr, 0, WS_POPUP | WS_MINIMIZE, ""));
    ASSERT_TRUE(IsIconic(minimised.getHwnd()));
    minimised.move(50, 60);
    minimised.resize(70, 80);
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    GetWindowPlacement(minimised.getHwnd(), &wp);
    EXPECT_TRUE(IsIconic(minimised.getHwnd()));
    EXPECT_FALSE(IsWindowVisible(minimised.getHwnd()));
    expectRect(wp.rcNormalPosition, 50, 60, 120, 140);
    minimised.destroy();
    w.destroy();
}

TEST(WindowHelpers, CentreAndDialogPosition)
{
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    cWnd ref, w;
    ASSERT_TRUE(ref.create(nullptr, nullptr, 0, WS_POPUP, ""));
    ASSERT_TRUE(w.create(nullptr, nullptr, 0, WS_POPUP, ""));
    ref.movesize(100, 100, 300, 200);
    w.movesize(0, 0, 101, 51);
    centerWindow(w.getHwnd(), ref.getHwnd(), true);
    expectRect(rectOf(w.getHwnd()), 200, 175, 301, 226);  // halves round toward zero

    setDlgPosition(w.getHwnd(), ref.getHwnd(), 5, -6, false);
    expectRect(rectOf(w.getHwnd()), 105, 94, 206, 145);

    // Kept on the primary screen; larger than the screen: at (0, 0).
    ref.movesize(sw - 60, sh - 20, 40, 20);
    centerWindow(w.getHwnd(), ref.getHwnd(), false);
    expectRect(rectOf(w.getHwnd()), sw - 101, sh - 51, sw, sh);
    w.movesize(0, 0, sw + 100, sh + 100);
    centerWindow(w.getHwnd(), ref.getHwnd(), false);
    expectRect(rectOf(w.getHwnd()), 0, 0, sw + 100, sh + 100);
    centerWindow(nullptr, ref.getHwnd(), false);

    // Without a reference a child is centred on its parent.
    cWnd child;
    ref.movesize(40, 30, 200, 100);
    ASSERT_TRUE(child.create(ref.getHwnd(), nullptr, 0, WS_CHILD, ""));
    child.movesize(0, 0, 50, 20);
    centerWindow(child.getHwnd(), nullptr, true);
    expectRect(rectOf(child.getHwnd()), 115, 70, 165, 90);

    EXPECT_EQ(getTopLevelWindow(child.getHwnd()), ref.getHwnd());
    EXPECT_EQ(getTopLevelWindow(ref.getHwnd()), ref.getHwnd());
    child.destroy();
    w.destroy();
    ref.destroy();
}

TEST(WindowHelpers, MessagesReachDescendantsBeforeTheirParents)
{
    HWND top = makeSink(nullptr, WS_POPUP, 0, 0, 100, 100);
    HWND a = makeSink(top, WS_CHILD, 0, 0, 10, 10);
    HWND b = makeSink(top, WS_CHILD, 0, 0, 10, 10);
    HWND a1 = makeSink(a, WS_CHILD, 0, 0, 10, 10);
    Probe a2;
    ASSERT_TRUE(a2.create(a, nullptr, 0, WS_CHILD, ""));
    HWND owned = makeSink(top, WS_POPUP, 0, 0, 10, 10);  // owned, not a child
    gSink = Sink();
    SendMessageToDescendants(top, kProbeMessage, 0, 0);
    EXPECT_TRUE(a2.probed);
    std::vector<HWND>& got = gSink.probed;
    auto index = [&](HWND h) { return std::find(got.begin(), got.end(), h) - got.begin(); };
    ASSERT_EQ(got.size(), 3u);  // a1, a and b; a2 answered for itself
    EXPECT_LT(index(a1), index(a));
    EXPECT_NE(index(b), 3);
    EXPECT_EQ(index(owned), 3);
    EXPECT_EQ(index(top), 3);
    a2.destroy();
    DestroyWindow(owned);
    DestroyWindow(top);
}

TEST(Window, FontColoursAndBrushAreOwned)
{
    int baseline = gdiLiveCount();
    {
        Probe w;
        LOGFONTA lf;
        GetObjectA(w.getFont(), sizeof(lf), &lf);
        EXPECT_EQ(lf.lfHeight, PointsToLogHeight(9));
        EXPECT_EQ(w.fillColor(), 0xFFFFFFu);
        EXPECT_EQ(w.textColor(), 0u);
        EXPECT_EQ(w.borderColor(), 0u);

        ASSERT_TRUE(w.create(nullptr, nullptr, 0, WS_POPUP, ""));
        HFONT given = CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
        HFONT old = w.getFont();
        w.setFont(given);
        EXPECT_NE(w.getFont(), given);
        EXPECT_EQ(w.fontSet, w.getFont());
        EXPECT_EQ(GetObjectType(old), 0u);
        GetObjectA(w.getFont(), sizeof(lf), &lf);
        EXPECT_EQ(lf.lfHeight, -20);
        DeleteObject(given);

        HBRUSH oldBrush = w.getBrush();
        w.setFillColor(0x0000FF);
        LOGBRUSH lb;
        GetObjectA(w.getBrush(), sizeof(lb), &lb);
        EXPECT_EQ(lb.lbColor, 0x0000FFu);
        EXPECT_EQ(GetObjectType(oldBrush), 0u);

        w.setBorderColor(0x646464);
        EXPECT_EQ(w.getColors()->shadow, 0x505050u);
        EXPECT_EQ(w.getColors()->darkShadow, 0x3C3C3Cu);
        cColorSet set;
        set.fill = 0x00FF00;
        set.text = 0x123456;
        w.setColors(set);
        EXPECT_EQ(w.textColor(), 0x123456u);
        GetObjectA(w.getBrush(), sizeof(lb), &lb);
        EXPECT_EQ(lb.lbColor, 0x00FF00u);
        w.destroy();
    }
    EXPECT_EQ(gdiLiveCount(), baseline);
}

TEST(Window, ShowEnableTextAndChildCaptions)
{
    cWnd w;
    ASSERT_TRUE(w.create(nullptr, nullptr, 0, WS_POPUP, ""));
    EXPECT_FALSE(w.isVisible());
    w.show(true);
    EXPECT_TRUE(w.isVisible());
    EXPECT_NE(GetForegroundWindow(), w.getHwnd());  // shown without activating
    w.hide();
    EXPECT_FALSE(w.isVisible());
    w.disable();
    EXPECT_TRUE(w.isDisabled());
    w.enable();
    EXPECT_TRUE(w.isEnabled());

    HWND label = CreateWindowExA(0, "STATIC", "abc", WS_CHILD, 0, 0, 10, 10, w.getHwnd(),
                                 reinterpret_cast<HMENU>(7), nullptr, nullptr);
    cStringA out("stale");
    w.getDlgItemText(7, out);
    EXPECT_STREQ(out.getPtr(), "abc");
    w.getDlgItemText(8, out);
    EXPECT_TRUE(out.isBlank());

    // A dialog control bound to an object is shown, hidden and moved through it.
    cWnd control;
    control.attach(label);
    control.show();
    EXPECT_TRUE(GetWindowLongA(label, GWL_STYLE) & WS_VISIBLE);
    control.hide();
    EXPECT_FALSE(GetWindowLongA(label, GWL_STYLE) & WS_VISIBLE);

    EXPECT_EQ(w.getFocusable(), 1);
    w.setFocusable(0);
    EXPECT_EQ(w.getFocusable(), 0);
    w.setText("own text");
    EXPECT_STREQ(w.getText().getPtr(), "own text");
    int anything = 0;
    w.setUI(&anything);
    EXPECT_EQ(w.getUI(), &anything);
    w.destroy();
}

TEST(Window, BorderIsPaintedInItsColours)
{
    HWND top = makeSink(nullptr, WS_POPUP | WS_VISIBLE, 20, 20, 200, 100);
    cWnd framed;
    framed.setBorderColor(0x0000FF);
    ASSERT_TRUE(framed.create(top, nullptr, 1, WS_CHILD | WS_VISIBLE, ""));
    framed.movesize(10, 10, 60, 40);
    RedrawWindow(framed.getHwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetWindowDC(framed.getHwnd());
    EXPECT_EQ(GetPixel(dc, 0, 0), 0x0000FFu);
    EXPECT_EQ(GetPixel(dc, 30, 39), 0x0000FFu);
    EXPECT_EQ(GetPixel(dc, 59, 20), 0x0000FFu);
    ReleaseDC(framed.getHwnd(), dc);
    framed.destroy();
    DestroyWindow(top);
}

}  // namespace
