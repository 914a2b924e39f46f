#include <gtest/gtest.h>
#include <windows.h>
#include "ka.h"
#include "sys/gdiutil.h"
#include "../support/canvas.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = 0;
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kLightGrey = 0xC0C0C0;
const COLORREF kDarkGrey = 0x808080;

// Makes the seven entries of a colour set distinct on the canvas. (Filled in place:
// the colour set has no copy constructor of its own.)
void distinguish(cColorSet& c)
{
    c.fill = 0x101010;
    c.text = 0x202020;
    c.border = 0x303030;
    c.light = 0x404040;
    c.face = 0x505050;
    c.shadow = 0x606060;
    c.darkShadow = 0x707070;
}

class Drawing : public ::testing::Test {
protected:
    void SetUp() override { baseline = gdiLiveCount(); }
    void TearDown() override { EXPECT_EQ(gdiLiveCount(), baseline) << "a pen, brush or font was left behind"; }

    COLORREF at(int x, int y) const { return canvas.pixel(x, y); }

    Canvas canvas{120, 80};
    int baseline = 0;
};

TEST_F(Drawing, LinesLeaveOutTheirEndPoint)
{
    HDC dc = canvas.dc();
    kaLine(dc, 2, 5, 8, 5, kRed);
    EXPECT_EQ(at(2, 5), kRed);
    EXPECT_EQ(at(7, 5), kRed);
    EXPECT_EQ(at(8, 5), kWhite);

    // Width: parallel lines below a flat line, to the right of a steep one.
    kaLineEx(dc, 10, 10, 20, 12, PS_SOLID, 3, kBlue);
    EXPECT_EQ(at(10, 10), kBlue);
    EXPECT_EQ(at(10, 12), kBlue);
    EXPECT_EQ(at(10, 13), kWhite);
    kaLineEx(dc, 30, 10, 31, 20, PS_SOLID, 2, kBlue);
    EXPECT_EQ(at(30, 10), kBlue);
    EXPECT_EQ(at(31, 10), kBlue);
    EXPECT_EQ(at(32, 10), kWhite);

    // A width below one draws nothing.
    kaLineEx(dc, 40, 30, 60, 30, PS_SOLID, 0, kBlue);
    kaLineEx(dc, 40, 31, 60, 31, PS_SOLID, -3, kBlue);
    EXPECT_FALSE(canvas.inkIn({40, 30, 60, 32}));

    // The pen style applies: a dashed line has gaps.
    kaLineEx(dc, 0, 40, 100, 40, PS_DASH, 1, kBlack);
    EXPECT_TRUE(canvas.anyOtherThan(kWhite, {0, 40, 100, 41}));
    EXPECT_TRUE(canvas.anyOtherThan(kBlack, {0, 40, 100, 41}));
}

TEST_F(Drawing, XorFiguresRestoreThePixelsWhenDrawnAgain)
{
    HDC dc = canvas.dc();
    kaFillRect(dc, {0, 0, 120, 80}, 0x336699);
    kaLineXor(dc, 5, 5, 50, 5, kRed);
    EXPECT_NE(at(20, 5), static_cast<COLORREF>(0x336699));
    EXPECT_EQ(GetROP2(dc), R2_NOTXORPEN);  // left set on the context
    kaLineXor(dc, 5, 5, 50, 5, kRed);
    EXPECT_EQ(at(20, 5), static_cast<COLORREF>(0x336699));

    kaBoxXor(dc, {10, 10, 40, 30}, kBlue);
    EXPECT_NE(at(20, 10), static_cast<COLORREF>(0x336699));
    EXPECT_NE(at(10, 20), static_cast<COLORREF>(0x336699));
    kaBoxXor(dc, {10, 10, 40, 30}, kBlue);
    EXPECT_FALSE(canvas.anyOtherThan(0x336699, {0, 0, 120, 80}));
    SetROP2(dc, R2_COPYPEN);
}

TEST_F(Drawing, FilledRectanglesAndRings)
{
    HDC dc = canvas.dc();
    kaFillRect(dc, {5, 5, 10, 8}, kRed);
    EXPECT_EQ(at(5, 5), kRed);
    EXPECT_EQ(at(9, 7), kRed);
    EXPECT_EQ(at(10, 7), kWhite);
    EXPECT_EQ(at(9, 8), kWhite);
    kaFillRect(dc, {20, 5, 20, 30}, kRed);  // empty
    kaFillRect(dc, {30, 5, 40, 5}, kRed);
    EXPECT_FALSE(canvas.inkIn({11, 0, 120, 80}));

    // One ring covers exactly the outermost pixels.
    kaBox(dc, {20, 20, 30, 30}, kBlue);
    for (POINT p : {POINT{20, 20}, POINT{29, 20}, POINT{20, 29}, POINT{29, 29}, POINT{25, 20}, POINT{20, 25}})
        EXPECT_EQ(at(p.x, p.y), kBlue) << p.x << "," << p.y;
    EXPECT_FALSE(canvas.inkIn({21, 21, 29, 29}));
    EXPECT_FALSE(canvas.inkIn({30, 19, 31, 31}));
    EXPECT_FALSE(canvas.inkIn({19, 30, 31, 31}));

    kaBoxWidth(dc, {40, 20, 60, 40}, kBlue, 3);
    EXPECT_EQ(at(42, 30), kBlue);
    EXPECT_EQ(at(57, 30), kBlue);
    EXPECT_EQ(at(43, 30), kWhite);
    // Zero and negative widths draw one ring; a huge one stops inside the rectangle.
    kaBoxWidth(dc, {70, 20, 80, 30}, kBlue, 0);
    kaBoxWidth(dc, {90, 20, 100, 30}, kBlue, -4);
    EXPECT_EQ(at(70, 25), kBlue);
    EXPECT_EQ(at(71, 25), kWhite);
    EXPECT_EQ(at(90, 25), kBlue);
    EXPECT_EQ(at(91, 25), kWhite);
    canvas.clear(kWhite);
    kaBoxWidth(dc, {70, 50, 76, 54}, kBlue, 50);
    EXPECT_FALSE(canvas.anyOtherThan(kBlue, {70, 50, 76, 54}));
    kaFillRect(dc, {70, 50, 76, 54}, kWhite);
    EXPECT_FALSE(canvas.inkIn({0, 0, 120, 80}));  // nothing drawn outside
}

TEST_F(Drawing, ThreeDimensionalFrames)
{
    HDC dc = canvas.dc();
    kaFillRect(dc, {0, 0, 120, 80}, 0x123456);
    RECT r = {10, 10, 40, 30};
    kaBoxRaised(dc, r);
    EXPECT_EQ(at(10, 20), kLightGrey);
    EXPECT_EQ(at(25, 10), kLightGrey);
    EXPECT_EQ(at(39, 20), kBlack);
    EXPECT_EQ(at(25, 29), kBlack);
    EXPECT_EQ(at(11, 20), kWhite);
    EXPECT_EQ(at(25, 28), kDarkGrey);

    r = {50, 10, 80, 30};
    kaBoxSunken(dc, r);
    EXPECT_EQ(at(50, 20), kDarkGrey);
    EXPECT_EQ(at(51, 20), kBlack);
    EXPECT_EQ(at(79, 20), kWhite);
    EXPECT_EQ(at(78, 20), kLightGrey);
    EXPECT_EQ(at(65, 29), kWhite);
    EXPECT_EQ(at(65, 28), kLightGrey);

    // Group frame: colour2 outside top-left, colour1 inside it; the reverse below.
    r = {10, 40, 40, 70};
    kaBoxGroup(dc, r, kWhite, kDarkGrey);
    EXPECT_EQ(at(10, 55), kDarkGrey);
    EXPECT_EQ(at(11, 55), kWhite);
    EXPECT_EQ(at(25, 69), kWhite);
    EXPECT_EQ(at(25, 68), kDarkGrey);
    EXPECT_EQ(at(39, 55), kWhite);
}

TEST_F(Drawing, OutlineTypesUseTheirColours)
{
    HDC dc = canvas.dc();
    const COLORREF ground = 0xABCDEF;
    cColorSet c;
    distinguish(c);
    struct Case {
        int type;
        COLORREF outerLeft, innerLeft, outerRight, innerRight;
    } cases[] = {
        {1, c.border, ground, c.border, ground},
        {2, c.shadow, c.darkShadow, c.face, c.fill},
        {3, c.face, c.fill, c.darkShadow, c.shadow},
        {5, c.shadow, c.light, c.light, c.shadow},
        {6, c.light, c.shadow, c.shadow, c.light},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.type);
        kaFillRect(dc, {0, 0, 120, 80}, ground);
        drawOutline(dc, {10, 10, 50, 40}, k.type, c);  // what kaDrawOutline draws, without the copy
        EXPECT_EQ(at(10, 25), k.outerLeft);
        EXPECT_EQ(at(11, 25), k.innerLeft);
        EXPECT_EQ(at(49, 25), k.outerRight);
        EXPECT_EQ(at(48, 25), k.innerRight);
        EXPECT_EQ(at(30, 10), k.outerLeft);   // top follows the left side
        EXPECT_EQ(at(30, 39), k.outerRight);  // bottom follows the right side
        EXPECT_EQ(at(30, 25), ground);
    }
    for (int type : {0, 4, 7, -1}) {
        kaFillRect(dc, {0, 0, 120, 80}, ground);
        kaDrawOutline(dc, {10, 10, 50, 40}, type, 2, cColorSet());
        EXPECT_FALSE(canvas.anyOtherThan(ground, {0, 0, 120, 80})) << type;
    }
    kaDrawOutline(dc, {10, 10, 50, 40}, 1, 1, cColorSet());
    EXPECT_EQ(at(10, 25), kBlack);  // the default border colour
    EXPECT_EQ(at(49, 39), kBlack);
}

TEST_F(Drawing, ButtonFillsFrameAndCentresItsText)
{
    HDC dc = canvas.dc();
    RECT r = {10, 10, 90, 40};
    kaButton(dc, r, nullptr, nullptr);
    EXPECT_EQ(at(10, 20), static_cast<COLORREF>(0xF0F0F0));  // light
    EXPECT_EQ(at(50, 10), static_cast<COLORREF>(0xF0F0F0));
    EXPECT_EQ(at(50, 39), static_cast<COLORREF>(0x858D8F));  // dark shadow of 0xDEEBEF
    EXPECT_FALSE(canvas.anyOtherThan(0xDEEBEF, {11, 11, 89, 39}));  // no text

    cColorSet c;
    distinguish(c);
    c.fill = 0x00FFFF;
    c.text = kBlue;
    HFONT font = makeTestFont(12);
    HGDIOBJ old = SelectObject(dc, font);
    kaButton(dc, r, "OK", &c);
    SelectObject(dc, old);
    DeleteObject(font);
    // The caller's 3-D colours are derived anew from its fill.
    EXPECT_EQ(c.light, 0xF0F0F0u);
    EXPECT_EQ(c.face, 0x00FFFFu);
    EXPECT_EQ(c.shadow, 0x00CCCCu);
    EXPECT_EQ(c.darkShadow, 0x009999u);
    EXPECT_EQ(at(50, 39), static_cast<COLORREF>(0x009999));
    EXPECT_EQ(at(12, 12), static_cast<COLORREF>(0x00FFFF));
    EXPECT_TRUE(canvas.anyOtherThan(0x00FFFF, {40, 15, 60, 35}));  // the text, in the middle
    EXPECT_FALSE(canvas.anyOtherThan(0x00FFFF, {11, 11, 30, 39}));
}

DRAWCHECKBOX checkBox(char state, int enabled, const char* text)
{
    DRAWCHECKBOX d = {};
    d.state = state;
    d.enabled = enabled;
    d.text = text;
    d.background = 0xEEEEEE;
    d.textColor = kBlue;
    d.edge[0] = 0x000011;
    d.edge[1] = 0x000022;
    d.edge[2] = 0x000033;
    d.edge[3] = 0x000044;
    return d;
}

TEST_F(Drawing, CheckBoxStatesEdgesAndLabel)
{
    HDC dc = canvas.dc();
    HFONT font = makeTestFont(12);
    DRAWCHECKBOX d = checkBox(1, 1, "Check");
    d.font = font;
    kaDrawCheck(dc, {10, 10, 110, 30}, &d);
    EXPECT_EQ(at(15, 10), d.edge[2]);
    EXPECT_EQ(at(15, 11), d.edge[3]);
    EXPECT_EQ(at(15, 22), d.edge[0]);
    EXPECT_EQ(at(15, 21), d.edge[1]);
    EXPECT_EQ(at(13, 15), kBlack);  // the tick starts at (L+3, T+5)
    EXPECT_EQ(at(17, 16), kBlack);
    EXPECT_EQ(at(19, 19), kWhite);  // box interior
    EXPECT_EQ(at(50, 29), static_cast<COLORREF>(0xEEEEEE));  // label background and erasing ring
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));  // the label font is put back
    EXPECT_TRUE(canvas.has(kBlue, {29, 11, 110, 29}));

    // Undetermined: a grey box and no tick, even when enabled.
    canvas.clear(kWhite);
    d = checkBox(-1, 1, nullptr);
    kaDrawCheck(dc, {10, 10, 110, 30}, &d);
    EXPECT_EQ(at(19, 19), kLightGrey);
    EXPECT_EQ(at(13, 15), kLightGrey);

    // Disabled: embossed label in edge 0 (shifted) and edge 2.
    canvas.clear(kWhite);
    d = checkBox(0, 0, "Check");
    d.font = font;
    kaDrawCheck(dc, {10, 10, 110, 30}, &d);
    EXPECT_TRUE(canvas.has(d.edge[0], {29, 11, 110, 29}));
    EXPECT_TRUE(canvas.has(d.edge[2], {29, 11, 110, 29}));

    // Transparent: the label area keeps what was there.
    kaFillRect(dc, {0, 0, 120, 80}, kRed);
    d = checkBox(0, 1, nullptr);
    d.transparent = 1;
    kaDrawCheck(dc, {10, 10, 110, 30}, &d);
    EXPECT_FALSE(canvas.anyOtherThan(kRed, {28, 10, 110, 30}));
    kaDrawCheck(dc, {10, 10, 110, 30}, nullptr);
    DeleteObject(font);
}

TEST_F(Drawing, RadioButtonDotAndInterior)
{
    HDC dc = canvas.dc();
    DRAWRADIOBUTTON d = {};
    d.selected = 1;
    d.enabled = 1;
    d.background = 0xEEEEEE;
    d.edge[0] = 0x000011;
    d.edge[1] = 0x000022;
    d.edge[2] = 0x000033;
    d.edge[3] = 0x000044;
    kaRadioButton(dc, {10, 10, 110, 30}, &d);
    EXPECT_EQ(at(16, 10), d.edge[2]);  // X+6, Y
    EXPECT_EQ(at(16, 21), d.edge[0]);  // X+6, Y+11
    EXPECT_EQ(at(16, 15), kBlack);     // the dot
    EXPECT_EQ(at(13, 13), kWhite);     // interior beside the dot
    EXPECT_EQ(at(50, 20), static_cast<COLORREF>(0xEEEEEE));

    canvas.clear(kWhite);
    d.selected = 0;
    d.enabled = 0;
    kaRadioButton(dc, {10, 10, 110, 30}, &d);
    EXPECT_EQ(at(16, 15), kLightGrey);
    EXPECT_EQ(at(13, 13), kLightGrey);
    kaRadioButton(dc, {10, 10, 110, 30}, nullptr);
}

TEST_F(Drawing, DrawingInALoopLeavesNoObjectBehind)
{
    HDC dc = canvas.dc();
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH);
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    HFONT label = makeTestFont(12);
    DRAWCHECKBOX check = checkBox(1, 0, "label");
    check.font = label;
    check.focus = 1;
    DRAWRADIOBUTTON radio = {1, 0, 1, 1, 0, "label", label, 0, 0, 0, {0, 0, 0, 0}};
    // Far more rounds than the system lets a process hold objects: a leak would
    // make creation fail and the last drawing come out wrong.
    for (int i = 0; i < 12000; ++i) {
        kaLine(dc, 0, 0, 10, 10, kRed);
        kaLineEx(dc, 0, 0, 10, 0, PS_DOT, 2, kRed);
        kaFillRect(dc, {0, 0, 5, 5}, kRed);
        kaBoxWidth(dc, {0, 0, 20, 20}, kRed, 2);
        kaBoxGroup(dc, {0, 0, 20, 20}, kRed, kBlue);
        kaBoxRaised(dc, {0, 0, 20, 20});
        kaBoxSunken(dc, {0, 0, 20, 20});
        kaDrawOutline(dc, {0, 0, 20, 20}, 5, 2, cColorSet());
        kaButton(dc, {0, 0, 40, 20}, "b", nullptr);
        kaDrawCheck(dc, {0, 0, 60, 20}, &check);
        kaRadioButton(dc, {0, 0, 60, 20}, &radio);
    }
    EXPECT_EQ(gdiLiveCount(), baseline);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    canvas.clear(kWhite);
    kaBox(dc, {30, 30, 40, 40}, kBlue);
    kaFillRect(dc, {50, 30, 60, 40}, kRed);
    EXPECT_EQ(at(30, 35), kBlue);
    EXPECT_EQ(at(55, 35), kRed);
    DeleteObject(label);
}

TEST(DrawRects, ClientAndScreenCoordinates)
{
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 100, 120, 50, 40, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    RECT r = {0, 0, 10, 20};
    CliRectToScrRect(w, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 120);
    EXPECT_EQ(r.right, 110);
    EXPECT_EQ(r.bottom, 140);
    ScrRectToCliRect(w, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 10);
    EXPECT_EQ(r.bottom, 20);
    ScrRectToCliRect(w, nullptr);
    DestroyWindow(w);
}

}  // namespace
