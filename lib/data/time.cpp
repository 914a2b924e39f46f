#include "datetime.h"
#include <windows.h>
#include <climits>
#include "calendar.h"

using namespace calendar;

namespace {

int normalTime(long hour, long minute, long second, long ms)
{
    long long days;
    return wrapTime(hour, minute, second, ms, &days);
}

}  // namespace

cTime::cTime()
{
    type = kaTypeTime;
    SYSTEMTIME st;
    GetLocalTime(&st);
    value = normalTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

cTime::cTime(const cTime& other) : cVar(other), value(other.value) {}

cTime& cTime::operator=(const cTime& other)
{
    value = other.value;
    return *this;
}

cTime::cTime(int hour, int minute, int second, int millisecond)
    : value(normalTime(hour, minute, second, millisecond))
{
    type = kaTypeTime;
}

cTime::cTime(int hour, int minute, int second) : value(normalTime(hour, minute, second, 0))
{
    type = kaTypeTime;
}

void cTime::set(long hour, long minute, long second, long millisecond)
{
    value = normalTime(hour, minute, second, millisecond);
}

cTime::cTime(long packed) : value(validTime(packed)) { type = kaTypeTime; }

cTime& cTime::operator=(int packed)
{
    value = validTime(packed);
    return *this;
}

cTime& cTime::operator=(long packed)
{
    value = validTime(packed);
    return *this;
}

bool cTime::hasTime() const { return value >= 0; }

cTime::operator long() const { return value; }

int cTime::xtime() const { return hasTime() ? static_cast<int>(msOfDay(value)) : -1; }

int cTime::hour() const { return hasTime() ? value / 10000000 : INT_MIN; }

int cTime::minute() const { return hasTime() ? value / 100000 % 100 : INT_MIN; }

int cTime::second() const { return hasTime() ? value / 1000 % 100 : INT_MIN; }

int cTime::milliseconds() const { return hasTime() ? value % 1000 : INT_MIN; }

bool cTime::isValid() const { return value != kNull; }

bool cTime::isNull() const { return value == kNull; }
