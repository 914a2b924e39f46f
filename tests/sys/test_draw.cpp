#include <gtest/gtest.h>
#include <windows.h>
#include "ka.h"
#include "sys/gdiutil.h"
#include "../support/canvas.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

class Drawing : public ::testing::Test {
protected:
    void SetUp() override { baseline = gdiLiveCount(); }
    void TearDown() override { EXPECT_EQ(gdiLiveCount(), baseline) << "a pen, brush or font was left behind"; }

    COLORREF at(int x, int y) const { return canvas.pixel(x, y); }

    Canvas canvas{120, 80};
    int baseline = 0;
};

TEST_F(Drawing, DrawingInALoopLeavesNoObjectBehind)
{
    HDC dc = canvas.dc();
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH);
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    HFONT label = makeTestFont(12);
    DRAWCHECKBOX check = {};
    check.state = 1;
    check.text = "label";
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
    EXPECT_EQ(at(30, 35), kBlue);
    DeleteObject(label);
}

}  // namespace
