// The date and time readers, and the same texts taken as formats: every result
// is a valid packed value, 0 or -1, and every formatted text has a sane length.
#include "data/datetime.h"
#include "fuzz.h"
#include "ka.h"

namespace {

MutationSpace dateSpace()
{
    MutationSpace s;
    s.seeds = {"2024-1-5",     "1/5/2024",   "05.01.2024", "2024-02-29", "13:05:09.250",   "1:2:3.45",
               "23:59:59.999", "ELWL, MDYY ", "K W YYMD",  "0a K",       "  2024 , 1 , 5", "99999999999999999999",
               "2024년 1월",   "hh-mm-ss.0", "",           "--::..//,,", "214748-12-31",   "DMYY0E"};
    // Digits, every separator, format letters, blanks, control bytes and lead bytes.
    for (char c : std::string("0123456789.-/:, ELWKAYMDyelwkamd\t\x01\x1F\x7F\x80\xA1\xB0\xC7\xFE\xFF"))
        s.pieces.push_back(std::string(1, c));
    s.maxLength = 48;
    return s;
}

const int kFlags[] = {0, 0x400, 0x800, 0xC00};
long validDates = 0, validTimes = 0;

void dates(FuzzInput& in)
{
    std::string input = in.random.next();
    in.note(input);
    const char* text = fence(0).text(input);
    int flags = kFlags[in.random.below(4)];
    {
        cStringA s(text);
        long d = s.toDate(flags);
        long t = s.toTime();
        validDates += d > 0;
        validTimes += t > 0;
        in.check(d == -1 || d == 0 || cDate(d).getYMD() == d, "toDate gave " + std::to_string(d));
        in.check(t == -1 || t == 0 || static_cast<long>(cTime(t)) == t, "toTime gave " + std::to_string(t));
        in.check(s.isBlank() == (t == -1), "toTime's -1 is for a string without text only");

        const cDate date(20241231L);
        const cTime time(235959999L);
        cStringA dt = date.toString(text), tt = time.toString(text);
        in.check(static_cast<int>(strlen(dt.getPtr() ? dt.getPtr() : "")) == dt.length(), "date text length wrong");
        in.check(dt.length() > 0 && dt.length() < 64, "date text of " + std::to_string(dt.length()) + " bytes");
        in.check(tt.length() > 0 && tt.length() < 64, "time text of " + std::to_string(tt.length()) + " bytes");
    }
    in.check(fence(0).unchanged(), "the input text was written to");
}

TEST(Robustness, DateAndTimeTexts)
{
    Mutator m(dateSpace());
    long inputs = fuzzTarget("dates and times", 200000, m, dates);
    // The mutations must still reach the readers' valid paths.
    EXPECT_GE(validDates, inputs / 100);
    EXPECT_GE(validTimes, inputs / 100);
}

TEST(Robustness, EveryFormatFlagCombination)
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

}  // namespace
