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

TEST_F(TextLayout, LineHeightAndPitch)
{
    TEXTMETRICA tm;
    GetTextMetricsA(actual.dc(), &tm);  // a memory context measures as the screen does
    EXPECT_EQ(kaGetTextCy(font), tm.tmHeight + tm.tmExternalLeading);
    EXPECT_GT(kaGetTextCy(nullptr), 0);
    // A font whose blank is 10 pixels high: pitch 12, each line lowered by 1.
    ASSERT_EQ(c, 10);
    expectLines("one\r\ntwo", {5, 7, 300, 200}, 0, {{"one", 5, 7}, {"two", 5, 19}});
}

TEST_F(TextLayout, WrapsAtBlanksAndSkipsTheBlankAtTheBreak)
{
    int w = width("Hello world") - 1;
    ASSERT_GT(w, width("Hello"));
    RECT r = {10, 20, 10 + w, 200};
    expectLines("Hello world", r, 0, {{"Hello", 10, 20}, {"world", 10, 20 + pitch}});
    // Several blanks at the break are all skipped; blanks inside a line are kept.
    expectLines("ab cd      efgh", {0, 0, width("ab cd") + 2, 200}, 0,
                {{"ab cd", 0, 0}, {"efgh", 0, pitch}});
    // DT_WORDBREAK or not, multi-line text wraps.
    expectLines("Hello world", r, DT_WORDBREAK, {{"Hello", 10, 20}, {"world", 10, 20 + pitch}});
}

TEST_F(TextLayout, CutsAWordWiderThanTheRectangle)
{
    int w = width("abcdefg") + 1;
    ASSERT_LT(w, width("abcdefgh"));
    ASSERT_LT(width("hijklmn"), w);
    ASSERT_LT(w, width("hijklmno"));
    expectLines("abcdefghijklmnop", {0, 0, w, 200}, 0,
                {{"abcdefg", 0, 0}, {"hijklmn", 0, pitch}, {"op", 0, 2 * pitch}});
    // A rectangle narrower than one character still advances one character a line.
    expectLines("xyz", {0, 0, 2, 200}, 0, {{"x", 0, 0}, {"y", 0, pitch}, {"z", 0, 2 * pitch}});
}

TEST_F(TextLayout, BreaksLinesAtCrLfCrAndLf)
{
    RECT r = {0, 0, 300, 200};
    expectLines("a\r\n\r\nb", r, 0, {{"a", 0, 0}, {"", 0, pitch}, {"b", 0, 2 * pitch}});
    expectLines("a\rb\nc", r, 0, {{"a", 0, 0}, {"b", 0, pitch}, {"c", 0, 2 * pitch}});
    // Blanks before a break are dropped; blanks after it indent the next line.
    expectLines("a  \r\n  b", r, 0, {{"a", 0, 0}, {"  b", 0, pitch}});
    // A single line is drawn as it is, breaks and all.
    actual.clear(RGB(255, 255, 255));
    expected.clear(RGB(255, 255, 255));
    kaDrawText(actual.dc(), "a\r\nb", r, DT_SINGLELINE);
    ExtTextOutA(expected.dc(), 0, 0, ETO_CLIPPED, &r, "a\r\nb", 4, nullptr);
    EXPECT_TRUE(actual.sameAs(expected));
}

TEST_F(TextLayout, BreaksBetweenDoubleByteCharacters)
{
    const std::string ga = "가", na = "나", da = "다", ra = "라";
    ASSERT_EQ(ga.size(), 2u);
    int w = width(ga + na) + 1;
    ASSERT_LT(w, width(ga + na + da));
    expectLines("가나다라", {0, 0, w, 200}, 0, {{ga + na, 0, 0}, {da + ra, 0, pitch}});

    // A single-byte run and the double-byte character right after it stay together.
    int w2 = width("ab" + ga) + 1;
    ASSERT_LT(w2, width("ab" + ga + "c"));
    expectLines("ab가cd", {0, 0, w2, 200}, 0, {{"ab" + ga, 0, 0}, {"cd", 0, pitch}});

    // Cutting that token never splits the character, even when its second byte
    // is below 0x80 (0x81 0x41 is a code page 949 character).
    const std::string odd = "\x81\x41";
    int w3 = width("ab") + 1;
    ASSERT_LT(w3, width("ab" + odd));
    ASSERT_LT(width(odd), w3);
    expectLines("ab\x81\x41", {0, 0, w3, 200}, 0, {{"ab", 0, 0}, {odd, 0, pitch}});
}

TEST_F(TextLayout, AlignsEachLineAndTheBlock)
{
    RECT r = {10, 10, 210, 110};  // 200 x 100
    int wa = width("abc"), wb = width("de");
    expectLines("abc\nde", r, DT_RIGHT, {{"abc", 210 - wa, 10}, {"de", 210 - wb, 10 + pitch}});
    expectLines("abc\nde", r, DT_CENTER, {{"abc", 10 + (200 - wa) / 2, 10}, {"de", 10 + (200 - wb) / 2, 10 + pitch}});
    // Right takes precedence over centre, bottom over vertical centre.
    int block = 2 * pitch;
    expectLines("abc\nde", r, DT_RIGHT | DT_CENTER | DT_BOTTOM | DT_VCENTER,
                {{"abc", 210 - wa, 110 - block}, {"de", 210 - wb, 110 - pitch}});
    expectLines("abc\nde", r, DT_VCENTER, {{"abc", 10, 10 + (100 - block) / 2}, {"de", 10, 10 + (100 - block) / 2 + pitch}});

    // A line wider than the rectangle starts at its left edge, even right-aligned.
    RECT narrow = {30, 0, 33, 200};
    long p = kaDrawText(actual.dc(), "W", narrow, DT_RIGHT);
    EXPECT_EQ(lowWord(p), 30);

    // Single line: the same rules with the text's own extent.
    SIZE s;
    GetTextExtentPoint32A(actual.dc(), "abc", 3, &s);
    p = kaDrawText(actual.dc(), "abc", r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    EXPECT_EQ(lowWord(p), 10 + (200 - s.cx) / 2);
    EXPECT_EQ(highWord(p), 10 + (100 - s.cy) / 2);
    p = kaDrawText(actual.dc(), "abc", r, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    EXPECT_EQ(lowWord(p), 210 - s.cx);
    EXPECT_EQ(highWord(p), 110 - s.cy);
}

TEST_F(TextLayout, EmptyTextIsPlacedLikeOneBlankAndNullContextGivesZero)
{
    RECT r = {0, 0, 100, 100};
    long p = kaDrawText(actual.dc(), "", r, DT_VCENTER);
    EXPECT_EQ(highWord(p), (100 - c) / 2);
    EXPECT_EQ(kaDrawText(actual.dc(), nullptr, r, DT_VCENTER), p);
    EXPECT_FALSE(actual.inkIn({0, 0, 400, 300}));
    EXPECT_EQ(kaDrawText(nullptr, "abc", r, 0), 0);

    // Negative positions keep their 16-bit form.
    RECT off = {-5, -7, 100, 100};
    p = kaDrawText(actual.dc(), "abc", off, 0);
    EXPECT_EQ(lowWord(p), -5);
    EXPECT_EQ(highWord(p), -7);
}

TEST_F(TextLayout, ClipsToTheRectangleUnlessToldNotTo)
{
    RECT r = {10, 10, 14, 40};  // narrower than the text
    kaDrawText(actual.dc(), "MMMM", r, DT_SINGLELINE);
    EXPECT_TRUE(actual.inkIn(r));
    EXPECT_FALSE(actual.inkIn({14, 0, 400, 300}));
    kaDrawText(actual.dc(), "MMMM", r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_TRUE(actual.inkIn({14, 0, 400, 300}));

    // The last line that passes the bottom is clipped there.
    actual.clear(RGB(255, 255, 255));
    RECT low = {0, 0, 300, pitch + 3};
    kaDrawText(actual.dc(), "M\nM", low, 0);
    EXPECT_TRUE(actual.inkIn({0, pitch, 300, pitch + 3}));
    EXPECT_FALSE(actual.inkIn({0, pitch + 3, 300, 300}));
}

TEST_F(TextLayout, DrawsEveryLineOfAVeryLongText)
{
    // Past the engine's 499-line table the text is still laid out and drawn.
    std::string text;
    const int count = 620;
    for (int i = 0; i < count; ++i) text += "L" + std::to_string(i) + (i + 1 < count ? "\r\n" : "");
    Canvas tallA(60, count * pitch + 20), tallB(60, count * pitch + 20);
    SelectObject(tallA.dc(), font);
    SelectObject(tallB.dc(), font);
    RECT r = {0, 0, 60, count * pitch + 20};
    long p = kaDrawText(tallA.dc(), text.c_str(), r, DT_BOTTOM);
    EXPECT_EQ(highWord(p), 20);  // the block is all 620 lines high
    for (int i = 0; i < count; ++i) {
        std::string line = "L" + std::to_string(i);
        TextOutA(tallB.dc(), 0, 20 + i * pitch + lowering, line.c_str(), static_cast<int>(line.size()));
    }
    EXPECT_TRUE(tallA.sameAs(tallB));

    // Wrapped lines past the table as well: 1000 words, one per line.
    std::string words;
    for (int i = 0; i < 1000; ++i) words += "ab ";
    Canvas wideA(40, 1000 * pitch), wideB(40, 1000 * pitch);
    SelectObject(wideA.dc(), font);
    SelectObject(wideB.dc(), font);
    kaDrawText(wideA.dc(), words.c_str(), {0, 0, width("ab") + 2, 1000 * pitch}, 0);
    for (int i = 0; i < 1000; ++i) TextOutA(wideB.dc(), 0, i * pitch + lowering, "ab", 2);
    EXPECT_TRUE(wideA.sameAs(wideB));
    for (Canvas* cv : {&tallA, &tallB, &wideA, &wideB}) SelectObject(cv->dc(), GetStockObject(SYSTEM_FONT));
}

}  // namespace
