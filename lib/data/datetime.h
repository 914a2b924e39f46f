// Dates, times of day and timestamps kept as packed decimal integers whose digits
// read YYYYMMDD, HHMMSSmmm and YYYYMMDDHHMMSSmmm, so that they sort as numbers.
// -1 is the null value; -2 marks "the current moment", passes every validation
// and otherwise reads like null (empty text, null fields).
#pragma once
#include "core/memory.h"
#include "core/stringa.h"
#include "types.h"

struct _SYSTEMTIME;

// Flags of the date and time texts; the order of the parts is chosen by
// kaFormatMonthFirst and kaFormatDayFirst.
enum {
    kaDatePad = 0x001,
    kaDateKorean = 0x002,
    kaDateMonthName = 0x008,
    kaDateWeekday = 0x010,
    kaDateFullMonth = 0x020,
    kaDateLongWeekday = 0x040,
    kaTime12Hour = 0x080,
    kaDateCommas = 0x100,
    kaDateBlanks = 0x200
};

#pragma pack(push, 1)

class KA_API cDate : public cVar {
public:
    // Today's local date.
    cDate();
    cDate(const cDate& other);
    cDate& operator=(const cDate& other);
    // Normalising: months carry into years and days roll over month ends.
    cDate(int year, int month, int day);
    void set(long year, long month, long day);
    // A packed value, validated.
    cDate(long packed);
    void set(int packed);

    int getYMD() const;
    int xday() const;
    int year() const;
    int month() const;
    int day() const;
    int isLeapYear() const;
    bool isValid() const;
    bool isNull() const;
    int dayOfWeek() const;
    int daysInMonth() const;
    void addDays(int n);

    cStringA toString(char separator, int flags) const;
    // Format words such as "YYYY-MM-DD", "MDYY" or "ELWL, MDYY ".
    cStringA toString(const char* format) const;

private:
    bool hasDate() const;
    int value;
};

class KA_API cTime : public cVar {
public:
    // The current local time of day.
    cTime();
    cTime(const cTime& other);
    cTime& operator=(const cTime& other);
    // Normalising in both directions; the hour wraps at 24 without a day carry.
    cTime(int hour, int minute, int second, int millisecond);
    cTime(int hour, int minute, int second);
    void set(long hour, long minute, long second, long millisecond);
    // A packed value, validated.
    cTime(long packed);
    cTime& operator=(int packed);
    cTime& operator=(long packed);

    operator long() const;
    int xtime() const;
    int hour() const;
    int minute() const;
    int second() const;
    int milliseconds() const;
    bool isValid() const;
    bool isNull() const;

    cStringA toString(char separator, int flags) const;
    cStringA toString(const char* format) const;

private:
    bool hasTime() const;
    int value;
};

class KA_API cTimestamp : public cVar {
public:
    // The current local date and time.
    cTimestamp();
    cTimestamp(const cTimestamp& other);
    cTimestamp& operator=(const cTimestamp& other);
    // Normalising: time fields carry up to whole days, the date as for cDate.
    cTimestamp(long year, long month, long day, long hour, long minute, long second, long millisecond);
    void set(long year, long month, long day, long hour, long minute, long second, long millisecond);
    // A packed value, validated.
    cTimestamp(long long packed);
    void set(long long packed);
    void set(const _SYSTEMTIME& st);

    operator long long() const;
    bool isValid() const;
    bool isNull() const;
    int year() const;
    int month() const;
    int day() const;
    int hour() const;
    int minute() const;
    int second() const;
    int milliseconds() const;

    // Milliseconds since 0001-01-01 00:00; -1 for the null value.
    long long xtime() const;
    void setXtime(long long ms);
    // Shift by the zone offset of this moment; the flag is not consulted, so
    // two calls shift twice.
    void toGMT();
    void toLocal();

    void addYears(int n);
    void addMonths(int n);
    void addDays(int n);
    void addHours(int n);
    void addMinutes(int n);
    void addSeconds(int n);
    void addMilliseconds(int n);

    cDate getDate() const;
    cTime getTime() const;
    // "2024-01-05 13:05:09.250"; the milliseconds only when not 0.
    cStringA toString() const;

private:
    bool hasValue() const;
    int datePart() const;
    int timePart() const;
    void addToField(int field, int n);

    long long value;
    int isLocal;
};

#pragma pack(pop)
