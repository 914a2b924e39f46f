#include <gtest/gtest.h>
#include "core/stringa.h"
#include "data/datetime.h"

namespace {

const cDate kFriday(20240105L);

}  // namespace

TEST(DateText, FlagsAndFormatStringsInEnglishAndKorean)
{
    struct Case {
        char separator;
        int flags;
        const char* text;
    } const cases[] = {
        {'/', 0x400, "1/5/2024"},
        {'-', 0x058, "Friday2024-Jan-5"},
        {0, 0x008 | 0x010 | 0x020 | 0x040 | 0x100 | 0x200 | 0x800, "Friday, 5 January, 2024"},
        {'-', 0x110 | 0x200, "2024 1 5, 금"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(cases[i].text, kFriday.toString(cases[i].separator, cases[i].flags).getPtr());
    }
    // The Korean words are code page 949 bytes.
    EXPECT_STREQ("2024\xB3\xE2 1\xBF\xF9 5\xC0\xCF \xB1\xDD\xBF\xE4\xC0\xCF",
                 kFriday.toString('-', 0x252).getPtr());
    EXPECT_TRUE(cDate(-2L).toString('-', 0).isBlank());

    struct Format {
        const char* format;
        const char* text;
    } const formats[] = {
        {nullptr, "2024-1-5"},
        {"k wl", "2024년 1월 5일 금요일"},
        // The second byte of a double-byte character is never read as a letter.
        {"\xB0\x45\xB0\x4B", "2024-1-5"},
    };
    for (size_t i = 0; i < sizeof formats / sizeof formats[0]; ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(formats[i].text, kFriday.toString(formats[i].format).getPtr());
    }
    EXPECT_TRUE(cDate(-1L).toString("YYYY-MM-DD").isBlank());
}

TEST(DateParse, ValidAndInvalidForms)
{
    struct Case {
        const char* text;
        int flags;
        long result;
    } const cases[] = {
        {" 2024 - 1 - 5 ", 0, 20240105},
        {"1/5/2024", 0x400, 20240105},
        {"2024-02-30", 0, 0},
        {"2024-1-105", 0, 0},
        {"99999999999999999999", 0, 0},
        {"214749-1-1", 0, 0},
        {"2024-1-\xB0\xA1", 0, 0},
        {"0-0-0", 0, -1},
        {"", 0, -1},
        // Only the first 20 bytes are read: the day is cut to "1".
        {"           2024-01-15", 0, 20240101},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(cases[i].text);
        EXPECT_EQ(cases[i].result, cStringA(cases[i].text).toDate(cases[i].flags));
    }
}

TEST(TimeParse, ValidAndInvalidForms)
{
    struct Case {
        const char* text;
        long result;
    } const cases[] = {
        {"1:2:3.45", 10203045},   {"13-05-09/250", 130509250}, {" 13 : 05 ", 130500000},
        {"7", 70000000},          {"   ", 0},
        {"24:00", 0},             {"23:59:60", 0},             {"23:59:59.1000", 0},
        {"13:05 pm", 0},          {"99999999999999999999", 0}, {"", -1},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(cases[i].text);
        EXPECT_EQ(cases[i].result, cStringA(cases[i].text).toTime());
    }
}
