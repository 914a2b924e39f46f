// Calendar arithmetic behind the packed dates and times: proleptic Gregorian
// from year 1, day 0 being 0001-01-01. Internal to the library.
#pragma once

namespace calendar {

const long long kMsPerDay = 86400000LL;
const long long kTimeScale = 1000000000LL;  // packed time digits in a timestamp
const int kNull = -1;
const int kCurrent = -2;

bool isLeap(long long year);
int monthLength(long long year, int month);

// False when the inputs name no date at all: a field of -2147483648 or all 0.
bool hasDayInputs(long year, long month, long day);
// Months outside 1..12 carry into the year; -1 when the result is negative.
long long dayNumber(long long year, long long month, long long day);
// Packed YYYYMMDD of a day number; -1 when negative or past the last packable year.
int dateOfDay(long long day);

int validDate(long long packed);
int validTime(long long packed);
long long validTimestamp(long long packed);

int packTime(long long msOfDay);
long long msOfDay(int packedTime);
// Wraps into one day; carry receives the whole days (negative going back).
int wrapTime(long long hour, long long minute, long long second, long long ms, long long* carry);

long long floorDiv(long long a, long long b);

}  // namespace calendar
