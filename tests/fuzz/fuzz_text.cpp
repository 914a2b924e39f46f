// Text functions that read outside input: the wide conversions, the search and
// replace of the 8-bit texts, and the colour and type readers.
#include <windows.h>
#include <algorithm>
#include <clocale>
#include <cstring>
#include <string>
#include "fuzz.h"
#include "ka.h"

namespace {

MutationSpace koreanSpace()
{
    MutationSpace s;
    s.seeds = {"a한글b", "가나다라마바사", "abc", "x\xC7", "\xC7\xD1\xFF", "파일.txt", "\xB0", "", "C:\\문서\\",
               "\xA1\xA1\xFE\xFE", "\x80\x80", "한 글 \t 값"};
    s.pieces = {"\xB0", "\xA1", "\xFF", "\x80", "\xC7\xD1", "\xB0\xA1", "a", " ", "\t", "?", "\x81\x41", "\xFE"};
    s.maxLength = 300;
    return s;
}

// The C locale of code page 949 while a run lasts, as the program's users have it.
class KoreanLocale {
public:
    KoreanLocale() : saved(setlocale(LC_CTYPE, nullptr)) { ok = setlocale(LC_CTYPE, ".949") != nullptr; }
    ~KoreanLocale() { setlocale(LC_CTYPE, saved.c_str()); }
    bool ok;

private:
    std::string saved;
};

size_t units(const unsigned short* w)
{
    size_t n = 0;
    while (w[n]) ++n;
    return n;
}

void wide(FuzzInput& in)
{
    Mutator& m = in.random;
    std::string input = m.next();
    in.note(input);
    const char* text = fence(0).text(input);

    // The block holds strlen + 1 units: a result without its terminator inside
    // would send units() onto the fence of the guarded heap.
    unsigned short* w = allocWstring(text);
    if (!w) return in.fail("allocWstring gave null");
    size_t n = units(w);
    in.check(n <= input.size(), "allocWstring made more units than bytes");
    {
        cStringW s;
        s.set(text);
        in.check(s.getLength() == n && (n == 0 || memcmp(s.getPtr(), w, (n + 1) * 2) == 0),
                 "cStringW::set differs from allocWstring");
        cStringA back("old");
        back = s;
        in.check(back.length() <= 2 * static_cast<int>(n), "the 8-bit copy is longer than two bytes a unit");
    }
    freeWstring(w);

    // Any units at all, lone surrogates included, read up to a terminator at the fence.
    std::u16string units16;
    for (size_t i = 0; i + 1 < input.size(); i += 2)
        units16 += static_cast<char16_t>(static_cast<unsigned char>(input[i]) | static_cast<unsigned char>(input[i + 1]) << 8);
    if (m.oneIn(3)) units16 += static_cast<char16_t>(0xD800 + m.below(0x800));
    for (char16_t& u : units16)
        if (!u) u = 0x20;
    {
        cStringW fromUnits(fence(1).wide(units16));
        in.check(fromUnits.getLength() == units16.size(), "cStringW measured its text wrongly");
        cStringA narrow;
        narrow = fromUnits;
        in.check(narrow.length() <= 2 * static_cast<int>(units16.size()), "the 8-bit copy is too long");
    }
    in.check(fence(0).unchanged() && fence(1).unchanged(), "an input text was written to");
}

TEST(Robustness, WideConversions)
{
    KoreanLocale korean;
    ASSERT_TRUE(korean.ok);
    Mutator m(koreanSpace());
    fuzzTarget("wide conversions", 250000, m, wide);
}

// ---- Search and replace ----

MutationSpace searchSpace()
{
    MutationSpace s = koreanSpace();
    s.seeds.insert(s.seeds.end(), {"abcabc", "aaaa", "a\tb   ", "x\r\ny", "\xB0\xA1\xB0\xA1", "bc"});
    s.pieces.insert(s.pieces.end(), {"b", "bc", "\r\n", "\x01", "  "});
    s.maxLength = 200;
    return s;
}

void search(FuzzInput& in)
{
    Mutator& m = in.random;
    std::string input = m.next();
    std::string find = m.oneIn(3) ? input.substr(m.below(input.size() + 1), m.below(4)) : m.next().substr(0, 1 + m.below(4));
    std::string with = m.oneIn(4) ? std::string() : m.next().substr(0, m.below(12));
    in.note(input);
    in.note(find);
    in.note(with);
    const char* text = fence(0).text(input);
    const char* what = fence(1).text(find);
    const char* by = fence(2).text(with);
    int index = m.oneIn(2) ? -1 : static_cast<int>(m.below(input.size() + 3));

    int found = strSearch(text, what, index);
    in.check(found >= -1 && found <= static_cast<int>(input.size()) && (found < 0 || input.compare(found, find.size(), find) == 0),
             "strSearch at " + std::to_string(index) + " gave " + std::to_string(found));
    strSearchIgnoreCase(text, what, index);

    cStringA s(text);
    s.replace(what, by, index);
    size_t limit = (find.empty() ? 1 : with.size() / find.size() + 1) * input.size();
    in.check(s.length() >= 0 && static_cast<size_t>(s.length()) <= std::max(input.size(), limit), "replace made a text too long");
    in.check(fence(0).unchanged() && fence(1).unchanged() && fence(2).unchanged(), "an input text was written to");
}

TEST(Robustness, SearchAndReplace)
{
    Mutator m(searchSpace());
    fuzzTarget("search and replace", 250000, m, search);
}

// The in-place helpers and the string's edits, on texts that end at the fence.
void edits(FuzzInput& in)
{
    Mutator& m = in.random;
    std::string input = m.next(), other = m.next();
    in.note(input);
    in.note(other);
    int n = static_cast<int>(input.size());

    // A fixed field of n bytes and its terminator, the last byte before the fence.
    char* field = fence(0).bytes(input + '\0');
    int kept = strNullPad(field, n);
    in.check(kept >= 0 && kept <= n && static_cast<int>(strlen(field)) == kept, "strNullPad gave " + std::to_string(kept));
    field = fence(0).bytes(input + '\0');
    int usable = strRemoveInterim(field, m.oneIn(2) ? -1 : static_cast<int>(m.below(input.size() + 2)));
    in.check(usable >= 0 && usable <= n, "strRemoveInterim gave " + std::to_string(usable));
    strTrimLeft(fence(0).bytes(input + '\0'));
    strTrimRight(fence(0).bytes(input + '\0'));

    const char* text = fence(0).text(input);
    const char* second = fence(1).text(other);
    strCompareNoCase(text, second);
    strnCompareNoCase(text, second, static_cast<int>(m.below(input.size() + 4)) - 1);
    int limit = static_cast<int>(m.below(input.size() + 2));
    char* out = fence(2).output(static_cast<size_t>(limit) + 1);
    strCopyN(out, text, limit);
    in.check(fence(2).frontIntact() && strlen(out) <= static_cast<size_t>(limit), "strCopyN wrote outside its field");
    {
        cStringA s(text);
        cStringA upper(s), trimmed(s), turned(s), cut(s);
        upper.toUpper();
        trimmed.trimLeft();
        trimmed.trimRight();
        turned.reverse();
        cut.removeInterim();
        in.check(upper.length() == s.length(), "case conversion changed the length");
        in.check(cut.length() >= s.length() - 1 && cut.length() <= s.length(), "removeInterim cut more than a byte");
        in.check(s.equals(input.c_str()), "an edit of a copy changed the original");
    }
    in.check(fence(0).unchanged() && fence(1).unchanged(), "an input text was written to");
}

TEST(Robustness, TextEdits)
{
    Mutator m(searchSpace());
    fuzzTarget("text edits", 200000, m, edits);
}

// ---- Colours and types ----

MutationSpace valueSpace()
{
    MutationSpace s;
    s.seeds = {"#FF0000", "#00ff80", "16711680", "#", "#FFFFFFFFFF", "-1", "#-1", "date", "timestamp", "cProect",
               "Date", "long", "#,##0", "mdy", "DMY", "ymd", "cComponent", ""};
    s.pieces = {"#", "F", "f", "0", "9", "x", ",", "mdy", "MDY", "dmy", "-", " ", "\xB0", "c", "int"};
    s.maxLength = 64;
    return s;
}

const long kTypeIds[] = {1, 3, 4, 5, 6, 7, 8, 9, 11, 12, 15, 49, 128, 10, 0, -1};

void values(FuzzInput& in)
{
    Mutator& m = in.random;
    std::string input = m.next();
    in.note(input);
    const char* text = fence(0).text(input);

    unsigned long c = getColorFromHexString(text);
    in.check((c & 0xFF000000ul) == 0, "a colour word with a top byte");
    cStringA hex;
    getHexStringFromColor(c, hex);
    in.check(hex.length() == 7 && getColorFromHexString(hex) == c, "colour " + std::to_string(c) + " read back differently");

    cType byName(text);
    if (byName.isValid())
        in.check(cType(static_cast<long>(byName)).name().equals(input.c_str()), "the id names another type");
    cType t(kTypeIds[m.below(sizeof kTypeIds / sizeof kTypeIds[0])]);
    int flags = t.formatFromStr(text);
    in.check(flags == 0 || flags == 1 || flags == 0x400 || flags == 0x800, "formatFromStr gave " + std::to_string(flags));
    in.check(t.formatFromStr(t.strFromFormat(flags)) == flags, "a format word reads back differently");
    in.check(fence(0).unchanged(), "the input text was written to");
}

TEST(Robustness, ColourAndTypeReaders)
{
    Mutator m(valueSpace());
    fuzzTarget("colour and type readers", 200000, m, values);
}

}  // namespace
