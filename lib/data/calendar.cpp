#include "calendar.h"
#include <climits>

namespace calendar {

namespace {

const int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
// The packed date is an int: YYYYMMDD stays below 2^31 up to this year.
const long long kLastYear = INT_MAX / 10000;

long long firstDayOfYear(long long year)
{
    long long y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400;
}

long long floorMod(long long a, long long b) { return a - floorDiv(a, b) * b; }

}  // namespace

long long floorDiv(long long a, long long b)
{
    long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

bool isLeap(long long year) { return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0); }

int monthLength(long long year, int month)
{
    return month == 2 && isLeap(year) ? 29 : kMonthDays[month - 1];
}

bool hasDayInputs(long year, long month, long day)
{
    if (year == LONG_MIN || month == LONG_MIN || day == LONG_MIN) return false;
    return year != 0 || month != 0 || day != 0;
}

long long dayNumber(long long year, long long month, long long day)
{
    year += floorDiv(month - 1, 12);
    int m = static_cast<int>(floorMod(month - 1, 12)) + 1;
    long long n = firstDayOfYear(year) + day - 1;
    for (int i = 1; i < m; ++i) n += monthLength(year, i);
    return n < 0 ? -1 : n;
}

int dateOfDay(long long day)
{
    if (day < 0 || day >= firstDayOfYear(kLastYear + 1)) return kNull;
    long long year = day / 365 + 1;
    while (firstDayOfYear(year) > day) --year;
    long long rest = day - firstDayOfYear(year);
    int month = 1;
    while (rest >= monthLength(year, month)) rest -= monthLength(year, month++);
    return static_cast<int>(year * 10000 + month * 100 + rest + 1);
}

int validDate(long long packed)
{
    if (packed == kCurrent) return kCurrent;
    if (packed < 10101 || packed > INT_MAX) return kNull;
    long long year = packed / 10000;
    int month = static_cast<int>(packed / 100 % 100);
    int day = static_cast<int>(packed % 100);
    if (month < 1 || month > 12 || day < 1 || day > monthLength(year, month)) return kNull;
    return static_cast<int>(packed);
}

int validTime(long long packed)
{
    if (packed == kCurrent) return kCurrent;
    if (packed < 0 || packed > INT_MAX) return kNull;
    long long hour = packed / 10000000, minute = packed / 100000 % 100, second = packed / 1000 % 100;
    if (hour > 23 || minute > 59 || second > 59) return kNull;
    return static_cast<int>(packed);
}

long long validTimestamp(long long packed)
{
    if (packed == kCurrent) return kCurrent;
    if (packed <= 0) return kNull;
    if (validDate(packed / kTimeScale) <= 0 || validTime(packed % kTimeScale) < 0) return kNull;
    return packed;
}

int packTime(long long ms)
{
    long long hour = ms / 3600000, minute = ms / 60000 % 60, second = ms / 1000 % 60;
    return static_cast<int>(hour * 10000000 + minute * 100000 + second * 1000 + ms % 1000);
}

long long msOfDay(int packed)
{
    long long hour = packed / 10000000, minute = packed / 100000 % 100, second = packed / 1000 % 100;
    return ((hour * 60 + minute) * 60 + second) * 1000 + packed % 1000;
}

int wrapTime(long long hour, long long minute, long long second, long long ms, long long* carry)
{
    long long total = ((hour * 60 + minute) * 60 + second) * 1000 + ms;
    *carry = floorDiv(total, kMsPerDay);
    return packTime(floorMod(total, kMsPerDay));
}

}  // namespace calendar
