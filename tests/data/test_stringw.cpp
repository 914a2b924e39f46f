#include <gtest/gtest.h>
#include <clocale>
#include <string>
#include "core/stringa.h"
#include "data/stringw.h"
#include "../support/fence.h"

namespace {

// Runs the body under the given C locale and puts the previous one back.
class LocaleScope {
public:
    explicit LocaleScope(const char* name) : saved(setlocale(LC_CTYPE, nullptr)), ok(setlocale(LC_CTYPE, name)) {}
    ~LocaleScope() { setlocale(LC_CTYPE, saved.c_str()); }
    bool active() const { return ok; }

private:
    std::string saved;
    bool ok;
};

}  // namespace

TEST(StringW, ConversionsUnderCodePage949)
{
    unsigned short* none = allocWstring(nullptr);
    ASSERT_NE(nullptr, none);
    EXPECT_EQ(0, none[0]);
    freeWstring(none);

    LocaleScope korean(".949");
    ASSERT_TRUE(korean.active());
    cStringW wide;
    wide.set("a한글b");
    EXPECT_EQ(std::u16string(u"a한글b"), std::u16string(reinterpret_cast<const char16_t*>(wide.getPtr())));
    cStringA narrow("old");
    narrow = wide;
    EXPECT_STREQ("a\xC7\xD1\xB1\xDB" "b", narrow.getPtr());
}

// The C runtime's conversion takes the terminator as the partner of a last lead
// byte and reads on past the text; the lead byte is dropped instead.
TEST(StringW, LoneLeadByteAtTheEndOfMemoryIsDropped)
{
    LocaleScope korean(".949");
    ASSERT_TRUE(korean.active());
    Fence fence;
    const std::string texts[] = {"\xB0", "x\xC7", "\xC7\xD1\xFF", "ab\xB0\xA1\xB0"};
    const std::u16string expected[] = {u"", u"x", u"한", u"ab가"};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        unsigned short* w = allocWstring(fence.text(texts[i]));
        ASSERT_NE(nullptr, w);
        EXPECT_EQ(expected[i], std::u16string(reinterpret_cast<char16_t*>(w)));
        freeWstring(w);
        cStringW s;
        s.set(fence.text(texts[i]));
        EXPECT_EQ(expected[i].size(), s.getLength());
    }
}
