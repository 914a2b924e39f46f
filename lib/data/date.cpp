#include "datetime.h"
#include <windows.h>
#include "calendar.h"

using namespace calendar;

namespace {

// A known Sunday, from which weekdays are counted on both sides.
const long long kSundayDay = dayNumber(1995, 12, 24);

int normalDate(long year, long month, long day)
{
    if (!hasDayInputs(year, month, day)) return kNull;
    long long n = dayNumber(year, month, day);
    return n < 0 ? kNull : dateOfDay(n);
}

}  // namespace

cDate::cDate()
{
    type = kaTypeDate;
    SYSTEMTIME st;
    GetLocalTime(&st);
    value = validDate(st.wYear * 10000LL + st.wMonth * 100 + st.wDay);
}

cDate::cDate(const cDate& other) : cVar(other), value(other.value) {}

cDate& cDate::operator=(const cDate& other)
{
    value = other.value;
    return *this;
}

cDate::cDate(int year, int month, int day) : value(normalDate(year, month, day)) { type = kaTypeDate; }

void cDate::set(long year, long month, long day) { value = normalDate(year, month, day); }

cDate::cDate(long packed) : value(validDate(packed)) { type = kaTypeDate; }

void cDate::set(int packed) { value = validDate(packed); }

bool cDate::hasDate() const { return value > 0; }

int cDate::getYMD() const { return value; }

int cDate::xday() const
{
    if (!hasDate()) return -1;
    return static_cast<int>(dayNumber(year(), month(), day()));
}

int cDate::year() const { return hasDate() ? value / 10000 : -1; }

int cDate::month() const { return hasDate() ? value / 100 % 100 : -1; }

int cDate::day() const { return hasDate() ? value % 100 : -1; }

int cDate::isLeapYear() const { return hasDate() && isLeap(year()) ? 1 : 0; }

bool cDate::isValid() const { return value != kNull; }

bool cDate::isNull() const { return value == kNull; }

int cDate::dayOfWeek() const
{
    if (!hasDate()) return 0;
    return static_cast<int>(((xday() - kSundayDay) % 7 + 7) % 7);
}

int cDate::daysInMonth() const { return hasDate() ? monthLength(year(), month()) : 0; }

void cDate::addDays(int n)
{
    if (hasDate()) value = dateOfDay(static_cast<long long>(xday()) + n);
}
