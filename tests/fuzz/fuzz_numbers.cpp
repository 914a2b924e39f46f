// The number readers on texts that end at the fence. strBigInt and strInt are
// held to their exact rules; the readers built on the C runtime must give what
// the C runtime gives on an ordinary copy of the text.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include "fuzz.h"
#include "ka.h"

namespace {

MutationSpace numberSpace()
{
    MutationSpace s;
    s.seeds = {"0",          "42%",    "-9223372036854775808", "  +17", "0x1A",  "1e308", "1.5e-310", "nan",
               "inf",        "0777",   "#FF",                  "12ab",  "-",     "+",     " \t\r\n-0", "2147483648",
               "-2147483649", "1,234", "9223372036854775807",  ".5e",   "0X7fffffff", "1e-400", "한12", ""};
    s.pieces = {"0", "1", "9", "+", "-", ".", "e", "E", "x", "X", "%", " ", "\t", "0x", "#", "inf", "nan",
                "\xB0", "\xFF", "9999999999", "00000000000000000000", "\x01"};
    s.maxLength = 400;
    return s;
}

bool white(char c) { return c != 0 && static_cast<unsigned char>(c) <= 32; }

// The documented rule: white skipped, one sign, digits accumulated with
// 64-bit wrap-around, the sign applied last.
long long bigIntOf(const char* s)
{
    while (white(*s)) ++s;
    bool negative = *s == '-';
    if (*s == '-' || *s == '+') ++s;
    unsigned long long v = 0;
    for (; *s >= '0' && *s <= '9'; ++s) v = v * 10 + static_cast<unsigned long long>(*s - '0');
    return static_cast<long long>(negative ? 0 - v : v);
}

const char* const kPrefixes[] = {"", "0x", "#", "0X", "-", " "};
const int kBases[] = {0, 2, 8, 10, 16, 36, 1, 37};

void numbers(FuzzInput& in)
{
    Mutator& m = in.random;
    std::string input = m.next();
    in.note(input);
    const char* text = fence(0).text(input);
    const std::string copy = input;  // ordinary memory, for the C runtime's own answers

    bool percent = true;
    int n = strInt(text, &percent);
    size_t digits = strspn(copy.c_str(), "0123456789");
    in.check(percent == (copy[digits] == '%'), "strInt's percent flag");
    size_t zeros = strspn(copy.c_str(), "0");
    if (digits - zeros <= 9)
        in.check(n == atoi(copy.substr(0, digits).c_str()), "strInt gave " + std::to_string(n));
    in.check(strInt(nullptr, &percent) == 0 && !percent, "strInt of null");

    long long big = strBigInt(text);
    in.check(big == bigIntOf(copy.c_str()), "strBigInt gave " + std::to_string(big));

    double d = strDouble(text), expected = strtod(copy.c_str(), nullptr);
    in.check(d == expected || (std::isnan(d) && std::isnan(expected)), "strDouble differs from strtod");
    strFloat(text);

    cStringA s(text);
    in.check(s.toInt() == atoi(copy.c_str()), "toInt differs from atoi");
    in.check(s.toBigInt() == big, "toBigInt differs from strBigInt");
    const char* prefix = kPrefixes[m.below(sizeof kPrefixes / sizeof kPrefixes[0])];
    int base = kBases[m.below(sizeof kBases / sizeof kBases[0])];
    const char* rest = copy.c_str();
    if (*prefix && strncmp(rest, prefix, strlen(prefix)) == 0) rest += strlen(prefix);
    in.check(s.toInt(base, prefix) == static_cast<int>(strtol(rest, nullptr, base)),
             "toInt(" + std::to_string(base) + ", '" + prefix + "') differs from strtol");
    in.check(s.toBigInt(base, prefix) == _strtoi64(rest, nullptr, base),
             "toBigInt(" + std::to_string(base) + ", '" + prefix + "') differs from _strtoi64");
    in.check(fence(0).unchanged(), "the input text was written to");
}

TEST(Robustness, NumberReaders)
{
    Mutator m(numberSpace());
    fuzzTarget("number readers", 250000, m, numbers);
}

}  // namespace
