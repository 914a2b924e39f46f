// The picture generator: renders a sample of every border type, button and box
// state and wrapped text into one bitmap. Run with KA_SAMPLES=<file.bmp> to keep
// the picture and look at it:
//   KA_SAMPLES=samples.bmp scripts/wine-run build/win64/test_sys.exe --gtest_filter='Samples*'
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdlib>
#include "ka.h"
#include "sys/gdiutil.h"
#include "../support/canvas.h"

namespace {

const COLORREF kGround = 0xE0E0E0;

void caption(HDC dc, int x, int y, const char* text)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, 0);
    TextOutA(dc, x, y, text, lstrlenA(text));
}

void borders(HDC dc, int top)
{
    cColorSet colours;
    colours.border = 0x604020;
    colours.make3DColor();
    for (int type = 0; type <= 7; ++type) {
        RECT r = {10 + type * 70, top + 16, 70 + type * 70, top + 56};
        kaFillRect(dc, r, colours.fill);
        drawOutline(dc, r, type, colours);  // kaDrawOutline without copying the set
        char name[16];
        wsprintfA(name, "type %d", type);
        caption(dc, r.left, top, name);
    }
}

void frames(HDC dc, int top)
{
    RECT r = {10, top, 70, top + 40};
    kaBox(dc, r, 0x0000C0);
    OffsetRect(&r, 70, 0);
    kaBoxWidth(dc, r, 0x00C000, 3);
    OffsetRect(&r, 70, 0);
    kaBoxGroup(dc, r, 0xFFFFFF, 0x808080);
    OffsetRect(&r, 70, 0);
    kaBoxRaised(dc, r);
    OffsetRect(&r, 70, 0);
    kaBoxSunken(dc, r);
    OffsetRect(&r, 70, 0);
    kaLineEx(dc, r.left, r.top + 5, r.right, r.top + 5, PS_DASH, 3, 0xC00000);
    kaLine(dc, r.left, r.bottom, r.right, r.top + 15, 0);
}

void buttons(HDC dc, int top)
{
    kaButton(dc, {10, top, 110, top + 26}, "기본 단추", nullptr);
    cColorSet blue;
    blue.fill = 0xF0C080;
    blue.text = 0x400000;
    kaButton(dc, {120, top, 220, top + 26}, "Blue button", &blue);
    kaButton(dc, {230, top, 290, top + 26}, "A label too long to fit", nullptr);
    kaButton(dc, {300, top, 340, top + 26}, nullptr, nullptr);
}

void boxes(HDC dc, int top, HFONT font)
{
    const char* names[] = {"ticked", "clear", "undetermined", "disabled", "focused"};
    for (int i = 0; i < 5; ++i) {
        DRAWCHECKBOX c = {};
        c.state = i == 0 || i == 3 ? 1 : i == 2 ? -1 : 0;
        c.enabled = i != 3;
        c.focus = i == 4;
        c.text = names[i];
        c.font = font;
        c.background = kGround;
        c.textColor = 0;
        c.edge[0] = 0xFFFFFF;
        c.edge[1] = 0xE0E0E0;
        c.edge[2] = 0x808080;
        c.edge[3] = 0x404040;
        kaDrawCheck(dc, {10 + i * 110, top, 115 + i * 110, top + 18}, &c);

        DRAWRADIOBUTTON b = {i == 0 || i == 3, i == 2, i != 3, i == 4, 0, names[i], font, kGround, 0, 0,
                             {0xFFFFFF, 0xE0E0E0, 0x808080, 0x404040}};
        kaRadioButton(dc, {10 + i * 110, top + 24, 115 + i * 110, top + 42}, &b);
    }
}

void text(HDC dc, int top, HFONT font)
{
    HGDIOBJ old = SelectObject(dc, font);
    const char* sample = "Wrapped text with blanks, then 한글은 빈칸 없이도 글자 사이에서 줄이 바뀝니다, "
                         "and a word wider than the box: ABCDEFGHIJKLMNOPQRSTUVWXYZ.\r\nA new line.";
    unsigned formats[] = {0, DT_CENTER, DT_RIGHT | DT_BOTTOM};
    for (int i = 0; i < 3; ++i) {
        RECT r = {10 + i * 190, top, 190 + i * 190, top + 130};
        kaFillRect(dc, r, 0xFFFFFF);
        kaBox(dc, r, 0xA0A0A0);
        SetTextColor(dc, 0);
        SetBkMode(dc, TRANSPARENT);
        kaDrawText(dc, sample, r, formats[i]);
    }
    SelectObject(dc, old);
}

TEST(Samples, RendersEveryBorderButtonBoxAndText)
{
    int before = gdiLiveCount();
    Canvas canvas(580, 400);
    HDC dc = canvas.dc();
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                             "나눔고딕");  // a Korean face, so that the double-byte text shows
    HGDIOBJ old = SelectObject(dc, font);
    kaFillRect(dc, {0, 0, 580, 400}, kGround);
    borders(dc, 5);
    frames(dc, 70);
    buttons(dc, 120);
    boxes(dc, 155, font);
    text(dc, 210, font);
    SelectObject(dc, old);
    DeleteObject(font);
    EXPECT_EQ(gdiLiveCount(), before);
    EXPECT_TRUE(canvas.anyOtherThan(kGround, {0, 0, 580, 400}));
    const char* path = std::getenv("KA_SAMPLES");
    if (path) {
        EXPECT_TRUE(canvas.save(path)) << path;
    }
}

}  // namespace
