#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "ka.h"
#include "../support/canvas.h"

namespace {

struct Expected {
    std::string text;
    int x, y;  // the line's top-left corner before the lowering
};

int lowWord(long v) { return static_cast<short>(v & 0xFFFF); }
int highWord(long v) { return static_cast<short>((static_cast<unsigned long>(v) >> 16) & 0xFFFF); }

class TextLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        font = makeTestFont(10);
        ASSERT_NE(font, nullptr);
        for (Canvas* c : {&actual, &expected}) SelectObject(c->dc(), font);
        SIZE blank;
        GetTextExtentPoint32A(actual.dc(), " ", 1, &blank);
        c = blank.cy;
        pitch = c * 12 / 10;
        lowering = (pitch - c) / 2;
    }
    void TearDown() override
    {
        for (Canvas* cv : {&actual, &expected}) SelectObject(cv->dc(), GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
    }

    int width(const std::string& s)
    {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(actual.dc(), s.c_str(), static_cast<int>(s.size()), &size);
        return size.cx;
    }

    // Draws text with kaDrawText and each expected line on its own with TextOutA;
    // the two pictures must be equal to the pixel.
    void expectLines(const char* text, RECT r, unsigned format, const std::vector<Expected>& lines)
    {
        actual.clear(RGB(255, 255, 255));
        expected.clear(RGB(255, 255, 255));
        long first = kaDrawText(actual.dc(), text, r, format);
        for (const Expected& e : lines)
            TextOutA(expected.dc(), e.x, e.y + lowering, e.text.c_str(), static_cast<int>(e.text.size()));
        EXPECT_TRUE(actual.sameAs(expected)) << "text: " << text;
        if (!lines.empty()) {
            EXPECT_EQ(lowWord(first), lines[0].x);
            EXPECT_EQ(highWord(first), lines[0].y);
        }
    }

    HFONT font = nullptr;
    Canvas actual{400, 300};
    Canvas expected{400, 300};
    int c = 0, pitch = 0, lowering = 0;
};

TEST_F(TextLayout, BreaksBetweenDoubleByteCharactersNeverInside)
{
    const std::string ga = "가", na = "나", da = "다", ra = "라";
    int w = width(ga + na) + 1;
    ASSERT_LT(w, width(ga + na + da));
    expectLines("가나다라", {0, 0, w, 200}, 0, {{ga + na, 0, 0}, {da + ra, 0, pitch}});

    // Cutting a token never splits a character, even when its second byte is
    // below 0x80 (0x81 0x41 is a code page 949 character).
    const std::string odd = "\x81\x41";
    int w3 = width("ab") + 1;
    ASSERT_LT(w3, width("ab" + odd));
    ASSERT_LT(width(odd), w3);
    expectLines("ab\x81\x41", {0, 0, w3, 200}, 0, {{"ab", 0, 0}, {odd, 0, pitch}});
}

TEST_F(TextLayout, DrawsEveryLineOfAVeryLongText)
{
    // Past the engine's 499-line table the text is still laid out and drawn:
    // 620 given lines, then 1000 wrapped ones.
    const int count = 620;
    std::string text, words;
    for (int i = 0; i < count; ++i) text += "L" + std::to_string(i) + (i + 1 < count ? "\r\n" : "");
    for (int i = 0; i < 1000; ++i) words += "ab ";
    Canvas tallA(60, 1000 * pitch), tallB(60, 1000 * pitch);
    for (Canvas* cv : {&tallA, &tallB}) SelectObject(cv->dc(), font);
    long p = kaDrawText(tallA.dc(), text.c_str(), {0, 0, 60, count * pitch + 20}, DT_BOTTOM);
    EXPECT_EQ(highWord(p), 20);  // the block is all 620 lines high
    for (int i = 0; i < count; ++i) {
        std::string line = "L" + std::to_string(i);
        TextOutA(tallB.dc(), 0, 20 + i * pitch + lowering, line.c_str(), static_cast<int>(line.size()));
    }
    EXPECT_TRUE(tallA.sameAs(tallB));

    for (Canvas* cv : {&tallA, &tallB}) cv->clear(RGB(255, 255, 255));
    kaDrawText(tallA.dc(), words.c_str(), {0, 0, width("ab") + 2, 1000 * pitch}, 0);
    for (int i = 0; i < 1000; ++i) TextOutA(tallB.dc(), 0, i * pitch + lowering, "ab", 2);
    EXPECT_TRUE(tallA.sameAs(tallB));
    for (Canvas* cv : {&tallA, &tallB}) SelectObject(cv->dc(), GetStockObject(SYSTEM_FONT));
}

}  // namespace
