#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <random>
#include <string>
#include "core/stringa.h"
#include "data/datetime.h"

namespace {

const char* const kSeeds[] = {
    "2024-1-5",    "1/5/2024",        "05.01.2024",  "2024-02-29",  "13:05:09.250", "1:2:3.45",
    "23:59:59.999", "ELWL, MDYY ",   "K W YYMD",    "0a K",         "  2024 , 1 , 5", "99999999999999999999",
    "2024년 1월",  "hh-mm-ss.0",     "",            "--::..//,,",   "214748-12-31", "DMYY0E",
};

// Bytes that steer the readers: digits, every separator, format letters, blanks,
// control bytes and the lead bytes of double-byte characters.
const char kAlphabet[] = "0123456789.-/:, ELWKAYMDyelwkamd\t\x01\x1F\x7F\x80\xA1\xB0\xC7\xFE\xFF";

std::string mutate(std::mt19937& rng, std::string text)
{
    auto pick = [&](size_t n) { return static_cast<size_t>(rng() % n); };
    for (size_t edits = 1 + pick(4); edits > 0; --edits) {
        char c = kAlphabet[pick(sizeof kAlphabet - 1)];
        size_t at = text.empty() ? 0 : pick(text.size());
        switch (pick(5)) {
        case 0: if (!text.empty()) text[at] = c; break;
        case 1: text.insert(at, 1, c); break;
        case 2: if (!text.empty()) text.erase(at, 1 + pick(3)); break;
        case 3: text.insert(at, text.substr(at, pick(8))); break;
        default: text.resize(pick(text.size() + 1)); break;
        }
    }
    return text.size() > 48 ? text.substr(0, 48) : text;
}

bool heapsValid()
{
    HANDLE heaps[64];
    DWORD n = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < n && i < 64; ++i) {
        if (!HeapValidate(heaps[i], 0, nullptr)) return false;
    }
    return true;
}

}  // namespace

TEST(DateTextRobustness, SeededMutations)
{
    const int kGuard = 16;
    const int kFlags[] = {0, 0x400, 0x800, 0xC00};
    std::mt19937 rng(20240105);
    const cDate date(20241231L);
    const cTime time(235959999L);
    int dates = 0, times = 0;
    for (int i = 0; i < 100000; ++i) {
        std::string input = mutate(rng, kSeeds[rng() % (sizeof kSeeds / sizeof kSeeds[0])]);
        // The text sits between guard bytes; nothing may write through it.
        const std::string guard(kGuard, '\xA5');
        std::string block = guard + input + '\0' + guard;
        const std::string before = block;
        const char* text = block.c_str() + kGuard;
        cStringA s(text);

        long d = s.toDate(kFlags[i % 4]);
        long t = s.toTime();
        if (d > 0) ++dates;
        if (t > 0) ++times;
        ASSERT_TRUE(d == -1 || d == 0 || cDate(d).getYMD() == d) << input;
        ASSERT_TRUE(t == -1 || t == 0 || static_cast<long>(cTime(t)) == t) << input;
        ASSERT_EQ(s.isBlank(), t == -1) << input;

        // The format readers take the same text as a format.
        cStringA dt = date.toString(text), tt = time.toString(text);
        ASSERT_EQ(static_cast<int>(strlen(dt.getPtr() ? dt.getPtr() : "")), dt.length());
        ASSERT_TRUE(dt.length() > 0 && dt.length() < 64) << input;
        ASSERT_TRUE(tt.length() > 0 && tt.length() < 64) << input;

        ASSERT_EQ(before, block) << input;
        if (i % 20000 == 0) {
            ASSERT_TRUE(heapsValid());
        }
    }
    EXPECT_TRUE(heapsValid());
    // The mutations must still reach the readers' valid paths.
    EXPECT_GT(dates, 1000);
    EXPECT_GT(times, 1000);
}

TEST(DateTextRobustness, EveryFlagCombination)
{
    const cDate dates[] = {cDate(10101L), cDate(20240105L), cDate(20230930L), cDate(2147481231L)};
    const cTime times[] = {cTime(0L), cTime(235959999L), cTime(120000001L)};
    for (int flags = 0; flags < 0x1000; ++flags) {
        for (const cDate& d : dates) {
            int n = d.toString('/', flags).length();
            ASSERT_TRUE(n > 0 && n < 64) << flags;
        }
        for (const cTime& t : times) {
            int n = t.toString('.', flags).length();
            ASSERT_TRUE(n > 0 && n < 48) << flags;
        }
    }
}
