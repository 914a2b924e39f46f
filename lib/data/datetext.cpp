// The text forms of dates, times and timestamps.
#include <cstdio>
#include <cstring>
#include "calendar.h"
#include "datetime.h"
#include "core/leadbyte.h"

namespace {

const char* const kWeekdays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                 "July",    "August",   "September", "October", "November", "December"};
const char* const kKoreanWeekdays[7] = {"일", "월", "화", "수", "목", "금", "토"};

// Collects one date or time text. The longest possible text is far below the
// buffer's size; still, a piece that does not fit is cut, never written past.
class TextBuilder {
public:
    TextBuilder() : used(0) { buf[0] = 0; }

    void add(const char* text) { addPart(text, strlen(text)); }

    void addFirst(const char* text, bool whole) { addPart(text, whole ? strlen(text) : 3); }

    void addChar(char c)
    {
        if (c) addPart(&c, 1);
    }

    void addNumber(int n, int width)
    {
        char digits[16];
        snprintf(digits, sizeof digits, "%0*d", width, n);
        add(digits);
    }

    cStringA result() const { return cStringA(buf); }

private:
    void addPart(const char* text, size_t n)
    {
        if (n > sizeof buf - 1 - used) n = sizeof buf - 1 - used;
        memcpy(buf + used, text, n);
        used += n;
        buf[used] = 0;
    }

    char buf[128];
    size_t used;
};

// Separator and blank of the flag-driven forms: words and blanks replace the separator.
struct Spacing {
    Spacing(char separator, int flags)
        : separator(flags & (kaDateKorean | kaDateBlanks) ? 0 : separator),
          blank(flags & kaDateBlanks ? " " : ""),
          comma(flags & kaDateCommas ? "," : "")
    {
    }
    char separator;
    const char* blank;
    const char* comma;
};

// Walks the characters of an upper-cased copy of a format, skipping the second
// byte of a double-byte character so that it is never read as a letter.
template <typename Visit>
void eachFormatChar(const cStringA& upper, Visit visit)
{
    const char* p = upper.getPtr();
    for (int i = 0; p && p[i]; ++i) {
        if (kaIsLeadByte(p[i])) {
            if (p[i + 1]) ++i;
            continue;
        }
        visit(p[i], p[i + 1]);
    }
}

cStringA upperCopy(const char* format)
{
    cStringA upper(format);
    upper.toUpper();
    return upper;
}

int orderFlags(const char* f)
{
    if (strstr(f, "YYMD")) return 0;
    if (strstr(f, "DMYY")) return kaFormatDayFirst;
    if (strstr(f, "MDYY")) return kaFormatMonthFirst;
    if (strstr(f, "YMD")) return 0;
    if (strstr(f, "DMY")) return kaFormatDayFirst;
    return strstr(f, "MDY") ? kaFormatMonthFirst : 0;
}

}  // namespace

cStringA cDate::toString(char separator, int flags) const
{
    if (!hasDate()) return cStringA();
    const Spacing s(separator, flags);
    const bool korean = flags & kaDateKorean, named = flags & kaDateMonthName;
    const bool weekday = flags & kaDateWeekday, longWeekday = flags & kaDateLongWeekday;
    const int pad = flags & kaDatePad ? 2 : 0;
    TextBuilder t;
    auto addYear = [&] {
        t.addNumber(year(), pad ? 4 : 0);
        if (korean) t.add("년");
    };
    auto addMonth = [&] {
        if (named) {
            t.addFirst(kMonths[month() - 1], flags & kaDateFullMonth);
            return;
        }
        t.addNumber(month(), pad);
        if (korean) t.add("월");
    };
    auto addDay = [&] {
        t.addNumber(day(), pad);
        if (korean) t.add("일");
    };
    auto addGap = [&](const char* comma) {
        t.addChar(s.separator);
        t.add(comma);
        t.add(s.blank);
    };

    if (weekday && named) {
        t.addFirst(kWeekdays[dayOfWeek()], longWeekday);
        t.add(s.comma);
        t.add(s.blank);
    }
    if (flags & kaFormatMonthFirst) {
        addMonth(), addGap(""), addDay(), addGap(s.comma), addYear();
    } else if (flags & kaFormatDayFirst) {
        addDay(), addGap(""), addMonth(), addGap(s.comma), addYear();
    } else {
        addYear(), addGap(""), addMonth(), addGap(""), addDay();
    }
    if (weekday && !named) {
        t.add(s.comma);
        t.add(s.blank);
        t.add(kKoreanWeekdays[dayOfWeek()]);
        if (longWeekday) t.add("요일");
    }
    return t.result();
}

cStringA cDate::toString(const char* format) const
{
    char separator = '-';
    int flags = 0;
    if (format && *format) {
        cStringA upper = upperCopy(format);
        flags = orderFlags(upper.getPtr());
        eachFormatChar(upper, [&](char c, char next) {
            switch (c) {
            case ' ': flags |= kaDateBlanks; break;
            case ',': flags |= kaDateCommas; break;
            case '-': case '/': case ':': separator = c; break;
            case '0': flags |= kaDatePad; break;
            case 'E': flags |= kaDateMonthName | (next == 'L' ? kaDateFullMonth : 0); break;
            case 'K': flags |= kaDateKorean; break;
            case 'W': flags |= kaDateWeekday | (next == 'L' ? kaDateLongWeekday : 0); break;
            default: break;
            }
        });
    }
    return toString(separator, flags);
}

cStringA cTime::toString(char separator, int flags) const
{
    if (!hasTime()) return cStringA();
    const Spacing s(separator, flags);
    const bool korean = flags & kaDateKorean, twelve = flags & kaTime12Hour;
    const int pad = flags & kaDatePad ? 2 : 0;
    const int h = hour();
    TextBuilder t;
    if (twelve && korean) t.add(h < 12 ? "오전 " : "오후 ");
    t.addNumber(twelve && h == 0 ? 12 : twelve && h > 12 ? h - 12 : h, pad);
    if (korean) t.add("시");
    t.addChar(s.separator);
    t.add(s.blank);
    t.addNumber(minute(), pad);
    if (korean) t.add("분");
    t.addChar(s.separator);
    t.add(s.blank);
    t.addNumber(second(), pad);
    if (korean) t.add("초");
    if (milliseconds() != 0) {
        if (flags & kaDateBlanks) {
            t.add(" ");
        } else if (!korean) {
            t.add(".");
        }
        t.addNumber(milliseconds(), 3);
    }
    if (twelve && !korean) t.add(h < 12 ? " AM" : " PM");
    return t.result();
}

cStringA cTime::toString(const char* format) const
{
    char separator = ':';
    int flags = 0;
    if (format && *format) {
        eachFormatChar(upperCopy(format), [&](char c, char) {
            switch (c) {
            case ' ': flags |= kaDateBlanks; break;
            case '-': case '.': case '/': separator = c; break;
            case '0': flags |= kaDatePad; break;
            case 'A': flags |= kaTime12Hour; break;
            case 'K': flags |= kaDateKorean; break;
            default: break;
            }
        });
    }
    return toString(separator, flags);
}

cStringA cTimestamp::toString() const
{
    if (value == calendar::kCurrent) return cStringA("(current)");
    if (!hasValue()) return cStringA();
    char text[48];
    int n = snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d:%02d", year(), month(), day(), hour(), minute(),
                     second());
    if (milliseconds() != 0 && n > 0 && n < static_cast<int>(sizeof text)) {
        snprintf(text + n, sizeof text - n, ".%03d", milliseconds());
    }
    return cStringA(text);
}
