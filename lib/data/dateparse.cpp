// The string class's readers of date and time text.
#include <cstring>
#include "calendar.h"
#include "core/stringa.h"
#include "datetime.h"

namespace {

// Only this many leading bytes of a text are read.
const int kReadLimit = 20;
// Saturation point of one number: far beyond any field, far below overflow.
const long long kNumberCap = 10000000000LL;

bool isBlankByte(char c) { return c == ' '; }

// Splits the text into up to count numbers, closed by one of closers or the end;
// numbers not found stay 0. False when a byte outside the grammar comes first.
bool readNumbers(const char* text, const char* closers, long long* numbers, int count)
{
    int found = 0;
    long long current = 0;
    for (int i = 0; found < count; ++i) {
        char c = i < kReadLimit ? text[i] : 0;
        if (c >= '0' && c <= '9') {
            current = current * 10 + (c - '0');
            if (current > kNumberCap) current = kNumberCap;
        } else if (c == 0 || strchr(closers, c)) {
            numbers[found++] = current;
            current = 0;
            if (c == 0) break;
        } else if (!isBlankByte(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace

long cStringA::toDate(int flags) const
{
    if (isBlank()) return -1;
    long long n[3] = {0, 0, 0};
    if (!readNumbers(getPtr(), "./-:,", n, 3)) return 0;
    long long year = n[0], month = n[1], day = n[2];
    if (flags & kaFormatMonthFirst) {
        month = n[0], day = n[1], year = n[2];
    } else if (flags & kaFormatDayFirst) {
        day = n[0], month = n[1], year = n[2];
    }
    if (year == 0 && month == 0 && day == 0) return -1;
    // Fields are checked one by one: packed, a month or day of 100 or more would
    // spill into the next field ("2024-1-105" is not February 5).
    if (month > 12 || day > 99) return 0;
    int date = calendar::validDate(year * 10000 + month * 100 + day);
    return date > 0 ? date : 0;
}

long cStringA::toTime() const
{
    if (isBlank()) return -1;
    long long n[4] = {0, 0, 0, 0};
    if (!readNumbers(getPtr(), "./:-,", n, 4)) return 0;
    if (n[0] > 23 || n[1] > 59 || n[2] > 59 || n[3] > 999) return 0;
    return static_cast<long>(n[0] * 10000000 + n[1] * 100000 + n[2] * 1000 + n[3]);
}
