#include "datetime.h"
#include <windows.h>
#include <climits>
#include "calendar.h"

using namespace calendar;

namespace {

enum Field { kYear, kMonth, kDay, kHour, kMinute, kSecond, kMillisecond, kFieldCount };

// Time fields carry whole days into the date, which then normalises as a date does.
long long normalStamp(const long long (&f)[kFieldCount])
{
    if (f[kYear] < 1) return kNull;
    long long days;
    int time = wrapTime(f[kHour], f[kMinute], f[kSecond], f[kMillisecond], &days);
    long long n = dayNumber(f[kYear], f[kMonth], f[kDay] + days);
    int date = n < 0 ? kNull : dateOfDay(n);
    return date < 0 ? kNull : date * kTimeScale + time;
}

long long zoneOffsetMs()
{
    // One clock reading converted to local time, so the two sides never
    // differ by a tick of the clock.
    SYSTEMTIME utc, local;
    GetSystemTime(&utc);
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) GetLocalTime(&local);
    cTimestamp u, l;
    u.set(utc);
    l.set(local);
    return l.xtime() - u.xtime();
}

}  // namespace

cTimestamp::cTimestamp() : value(kNull), isLocal(1)
{
    type = kaTypeTimestamp;
    SYSTEMTIME st;
    GetLocalTime(&st);
    set(st);
}

cTimestamp::cTimestamp(const cTimestamp& other) : cVar(other), value(other.value), isLocal(other.isLocal) {}

cTimestamp& cTimestamp::operator=(const cTimestamp& other)
{
    value = other.value;
    isLocal = other.isLocal;
    return *this;
}

cTimestamp::cTimestamp(long year, long month, long day, long hour, long minute, long second,
                       long millisecond)
    : value(kNull), isLocal(1)
{
    type = kaTypeTimestamp;
    set(year, month, day, hour, minute, second, millisecond);
}

void cTimestamp::set(long year, long month, long day, long hour, long minute, long second,
                     long millisecond)
{
    isLocal = 1;
    if (month == LONG_MIN || day == LONG_MIN) {
        value = kNull;
        return;
    }
    value = normalStamp({year, month, day, hour, minute, second, millisecond});
}

cTimestamp::cTimestamp(long long packed) : value(validTimestamp(packed)), isLocal(1) { type = kaTypeTimestamp; }

void cTimestamp::set(long long packed)
{
    value = validTimestamp(packed);
    isLocal = 1;
}

void cTimestamp::set(const _SYSTEMTIME& st)
{
    set(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

bool cTimestamp::hasValue() const { return value > 0; }

int cTimestamp::datePart() const { return static_cast<int>(value / kTimeScale); }

int cTimestamp::timePart() const { return static_cast<int>(value % kTimeScale); }

cTimestamp::operator long long() const { return value; }

bool cTimestamp::isValid() const { return value != kNull; }

bool cTimestamp::isNull() const { return value == kNull; }

int cTimestamp::year() const { return hasValue() ? datePart() / 10000 : INT_MIN; }

int cTimestamp::month() const { return hasValue() ? datePart() / 100 % 100 : INT_MIN; }

int cTimestamp::day() const { return hasValue() ? datePart() % 100 : INT_MIN; }

int cTimestamp::hour() const { return hasValue() ? timePart() / 10000000 : INT_MIN; }

int cTimestamp::minute() const { return hasValue() ? timePart() / 100000 % 100 : INT_MIN; }

int cTimestamp::second() const { return hasValue() ? timePart() / 1000 % 100 : INT_MIN; }

int cTimestamp::milliseconds() const { return hasValue() ? timePart() % 1000 : INT_MIN; }

long long cTimestamp::xtime() const
{
    if (!hasValue()) return kNull;
    return dayNumber(year(), month(), day()) * kMsPerDay + msOfDay(timePart());
}

void cTimestamp::setXtime(long long ms)
{
    int date = ms < 0 ? kNull : dateOfDay(ms / kMsPerDay);
    value = date < 0 ? kNull : date * kTimeScale + packTime(ms % kMsPerDay);
}

void cTimestamp::toGMT()
{
    if (!hasValue()) return;
    setXtime(xtime() - zoneOffsetMs());
    isLocal = 0;
}

void cTimestamp::toLocal()
{
    if (!hasValue()) return;
    setXtime(xtime() + zoneOffsetMs());
    isLocal = 1;
}

void cTimestamp::addToField(int field, int n)
{
    if (!hasValue()) return;
    long long f[kFieldCount] = {year(), month(), day(), hour(), minute(), second(), milliseconds()};
    f[field] += n;
    value = normalStamp(f);
}

void cTimestamp::addYears(int n) { addToField(kYear, n); }

void cTimestamp::addMonths(int n) { addToField(kMonth, n); }

void cTimestamp::addDays(int n) { addToField(kDay, n); }

void cTimestamp::addHours(int n) { addToField(kHour, n); }

void cTimestamp::addMinutes(int n) { addToField(kMinute, n); }

void cTimestamp::addSeconds(int n) { addToField(kSecond, n); }

void cTimestamp::addMilliseconds(int n) { addToField(kMillisecond, n); }

cDate cTimestamp::getDate() const
{
    return cDate(static_cast<long>(hasValue() ? datePart() : static_cast<int>(value)));
}

cTime cTimestamp::getTime() const
{
    return cTime(static_cast<long>(hasValue() ? timePart() : static_cast<int>(value)));
}
