#include <gtest/gtest.h>
#include <windows.h>
#include "ka.h"
#include "sys/gdiutil.h"
#include "../support/canvas.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

DRAWCHECKBOX checkBox(char state, int enabled, const char* text, HFONT font)
{
    DRAWCHECKBOX d = {};
    d.state = state;
    d.enabled = enabled;
    d.text = text;
    d.font = font;
    d.background = 0xEEEEEE;
    d.textColor = kBlue;
    d.edge[0] = 0x000011;
    d.edge[1] = 0x000022;
    d.edge[2] = 0x000033;
    d.edge[3] = 0x000044;
    return d;
}

class Drawing : public ::testing::Test {
protected:
    void SetUp() override { baseline = gdiLiveCount(); }
    void TearDown() override { EXPECT_EQ(gdiLiveCount(), baseline) << "a pen, brush or font was left behind"; }

    COLORREF at(int x, int y) const { return canvas.pixel(x, y); }

    Canvas canvas{120, 80};
    int baseline = 0;
};

TEST_F(Drawing, LinesAndRectanglesStayInsideTheirBounds)
{
    HDC dc = canvas.dc();
    kaLine(dc, 2, 5, 8, 5, kRed);
    EXPECT_EQ(at(7, 5), kRed);
    EXPECT_EQ(at(8, 5), kWhite);  // the end point is left out
    // A width below one draws nothing; so does an empty rectangle.
    kaLineEx(dc, 40, 30, 60, 30, PS_SOLID, 0, kBlue);
    kaLineEx(dc, 40, 31, 60, 31, PS_SOLID, -3, kBlue);
    kaFillRect(dc, {20, 5, 20, 30}, kRed);
    kaBoxWidth(dc, {50, 40, 50, 60}, kBlue, 2);
    EXPECT_FALSE(canvas.inkIn({10, 0, 120, 80}));

    // One ring covers exactly the outermost pixels.
    kaBox(dc, {20, 20, 30, 30}, kBlue);
    EXPECT_EQ(at(29, 29), kBlue);
    EXPECT_FALSE(canvas.inkIn({21, 21, 29, 29}));
    EXPECT_FALSE(canvas.inkIn({30, 19, 31, 31}));
    // A huge width stops inside the rectangle.
    canvas.clear(kWhite);
    kaBoxWidth(dc, {70, 50, 76, 54}, kBlue, 50);
    EXPECT_FALSE(canvas.anyOtherThan(kBlue, {70, 50, 76, 54}));
    kaFillRect(dc, {70, 50, 76, 54}, kWhite);
    EXPECT_FALSE(canvas.inkIn({0, 0, 120, 80}));
}

TEST_F(Drawing, DrawingInALoopLeavesNoObjectBehind)
{
    HDC dc = canvas.dc();
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH);
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    HFONT label = makeTestFont(12);
    DRAWCHECKBOX check = checkBox(1, 0, "label", label);
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
    EXPECT_EQ(at(30, 35), kBlue);
    DeleteObject(label);
}

}  // namespace
