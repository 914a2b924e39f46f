#include "mutator.h"
#include <cctype>
#include <cstdio>
#include <utility>

namespace {

uint64_t mix(uint64_t x)
{
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

}  // namespace

uint64_t FuzzRandom::next()
{
    state += 0x9E3779B97F4A7C15ull;
    return mix(state);
}

Mutator::Mutator(MutationSpace s) : space(std::move(s))
{
    if (space.seeds.empty()) space.seeds.push_back("");
    if (space.pieces.empty()) space.pieces.push_back(" ");
}

void Mutator::startInput(uint64_t runSeed, uint64_t index) { reseed(mix(runSeed ^ mix(index + 1))); }

std::string Mutator::next()
{
    std::string s = seed();
    for (int edits = range(1, space.maxEdits); edits > 0; --edits) edit(s);
    if (s.size() > space.maxLength) s.resize(space.maxLength);
    return s;
}

char Mutator::byte()
{
    if (oneIn(3)) {
        const std::string& p = piece();
        if (!p.empty()) return p[below(p.size())];
    }
    return static_cast<char>(space.nul ? below(256) : 1 + below(255));
}

void Mutator::edit(std::string& s)
{
    switch (below(10)) {
    case 0:
        if (!s.empty()) s[below(s.size())] = byte();
        break;
    case 1: s.insert(at(s), 1, byte()); break;
    case 2:
        if (!s.empty()) s.erase(below(s.size()), 1 + below(8));
        break;
    case 3: s.insert(at(s), piece()); break;
    case 4: {  // the head of this input on the tail of another
        const std::string& other = seed();
        s = s.substr(0, at(s)) + other.substr(below(other.size() + 1));
        break;
    }
    case 5: {  // a stretch repeated in place
        size_t from = at(s);
        s.insert(from, s.substr(from, below(40)));
        break;
    }
    case 6: s.resize(at(s)); break;
    case 7: {  // one piece many times: long runs, deep nesting, limits of fixed fields
        size_t times = oneIn(16) ? 100 + below(1200) : 1 + below(16);
        std::string p = piece(), run;
        for (size_t i = 0; i < times && run.size() < space.maxLength; ++i) run += p;
        s.insert(at(s), run);
        break;
    }
    case 8: {  // a run of digits, short or far beyond any number's range
        size_t n = oneIn(8) ? 20 + below(120) : 1 + below(12);
        std::string digits;
        for (size_t i = 0; i < n; ++i) digits += static_cast<char>('0' + below(10));
        s.insert(at(s), digits);
        break;
    }
    default:  // a few bytes anywhere set to anything
        for (size_t i = 0, n = 1 + below(6); i < n && !s.empty(); ++i)
            s[below(s.size())] = static_cast<char>(space.nul ? below(256) : 1 + below(255));
        break;
    }
}

uint64_t targetSeed(uint64_t runSeed, const char* target)
{
    uint64_t h = 1469598103934665603ull;  // FNV-1a of the name
    for (const char* p = target; p && *p; ++p) h = (h ^ static_cast<unsigned char>(*p)) * 1099511628211ull;
    return mix(runSeed ^ h);
}

std::string describe(const std::string& input, size_t limit)
{
    std::string out = "\"";
    for (size_t i = 0; i < input.size() && i < limit; ++i) {
        unsigned char c = static_cast<unsigned char>(input[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 32 && c < 127) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
            // A hex escape would swallow a following hex digit.
            if (i + 1 < input.size() && isxdigit(static_cast<unsigned char>(input[i + 1]))) out += "\"\"";
        }
    }
    out += "\"";
    if (input.size() > limit) out += " ... (" + std::to_string(input.size()) + " bytes)";
    return out;
}
