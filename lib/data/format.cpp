#include "format.h"
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "core/error.h"
#include "datetime.h"

namespace {

const int kMaxDecimals = 100;
// Fixed-point text stays below this range; beyond it the exponent form is used.
const double kFixedLimit = 999999999999999.0;
// Holds the longest text: sign, 15 integer digits or an exponent, point, decimals.
const int kNumberText = kMaxDecimals + 32;

// The number text with a "," before every further group of three integer
// digits; the sign and the fraction stay as they are.
cStringA withThousands(const char* text)
{
    char out[kNumberText + kNumberText / 3 + 1];
    size_t used = 0;
    if (*text == '-') out[used++] = *text++;
    size_t digits = strspn(text, "0123456789");
    for (size_t i = 0; i < digits; ++i) {
        if (i > 0 && (digits - i) % 3 == 0) out[used++] = ',';
        out[used++] = text[i];
    }
    strcpy(out + used, text + digits);
    return cStringA(out);
}

cStringA numberText(const char* text, int flags)
{
    return flags & kaFormatThousands ? withThousands(text) : cStringA(text);
}

cStringA formatDouble(double v, int decimals, int flags)
{
    if (std::isinf(v)) return cStringA();
    if (decimals < 0) decimals = 0;
    if (decimals > kMaxDecimals) decimals = kMaxDecimals;
    char text[kNumberText];
    // Zero is written without a sign, whatever the sign bit says.
    if (v == 0.0) v = 0.0;
    bool fixed = v >= -kFixedLimit && v <= kFixedLimit;
    snprintf(text, sizeof text, fixed ? "%.*f" : "%.*g", decimals, v);
    return fixed ? numberText(text, flags) : cStringA(text);
}

cStringA formatInt(int v, int flags)
{
    if (v == INT_MIN) return cStringA();
    char text[16];
    _itoa(v, text, 10);
    return numberText(text, flags);
}

cStringA formatBigint(__int64 v, int flags)
{
    if (v == LLONG_MIN) return cStringA();
    char text[24];
    _i64toa(v, text, 10);
    return numberText(text, flags);
}

// Through the date's own format words, so that the value formatter writes dates
// exactly as a "ymd", "mdy" or "dmy" format does.
cStringA formatDate(int packed, int flags)
{
    return cDate(static_cast<long>(packed)).toString(cType(kaTypeDate).strFromFormat(flags).getPtr());
}

cStringA formatTime(int packed) { return cTime(static_cast<long>(packed)).toString(""); }

}  // namespace

cStringA formatValueToStr(const void* value, int type, int decimals, int flags)
{
    switch (type) {
    case kaTypeLong: return value ? formatInt(*static_cast<const int*>(value), flags) : cStringA();
    case kaTypeDouble:
        return value ? formatDouble(*static_cast<const double*>(value), decimals, flags) : cStringA();
    case kaTypeDate: return value ? formatDate(*static_cast<const int*>(value), flags) : cStringA();
    case kaTypeTime: return value ? formatTime(*static_cast<const int*>(value)) : cStringA();
    case kaTypeBool: return cStringA(value && *static_cast<const unsigned char*>(value) ? "*" : nullptr);
    case kaTypeBigint: return value ? formatBigint(*static_cast<const __int64*>(value), flags) : cStringA();
    default:
        kaErrorSetMsg("Invalid type specified in formatValueToStr()");
        return cStringA();
    }
}

cStringA formatDoubleToStr(double value, int decimals, int flags)
{
    return formatValueToStr(&value, kaTypeDouble, decimals, flags);
}

cStringA& cStringA::set(__int64 n) { return *this = formatValueToStr(&n, kaTypeBigint, 0, 0); }

cStringA& cStringA::operator<<(__int64 n) { return *this << formatValueToStr(&n, kaTypeBigint, 0, 0); }
