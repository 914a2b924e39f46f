#include <string>
#include "sysfixture.h"

namespace {

// A key of its own under the current user's Software key, removed afterwards.
class Registry : public ::testing::Test {
protected:
    void SetUp() override
    {
        key = "Software\\OrrelTest-" + std::to_string(GetCurrentProcessId());
        RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
        ASSERT_TRUE(reg.open(HKEY_CURRENT_USER, true));
    }
    void TearDown() override
    {
        reg.close();
        RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    }
    std::string sub(const std::string& path) const { return key + "\\" + path; }
    bool keyExists(const std::string& path) const
    {
        HKEY k;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
        RegCloseKey(k);
        return true;
    }
    void setRaw(const std::string& path, const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY k;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(k, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(k);
    }

    std::string key;
    cRegistry reg;
};

TEST_F(Registry, TextsAndNumbersRoundTripAndOtherKindsReadAsEmpty)
{
    EXPECT_FALSE(reg.writeString(key.c_str(), "v", "x"));  // the key must exist first
    ASSERT_TRUE(reg.createPath((key + "/a").c_str()));
    ASSERT_TRUE(reg.selectKey((key + "/a").c_str()));
    EXPECT_TRUE(reg.writeString("text", "한글 값"));
    EXPECT_EQ(str(reg.readString("text")), "한글 값");
    EXPECT_EQ(str(reg.readString(sub("a").c_str(), "text")), "한글 값");
    EXPECT_TRUE(reg.writeString(sub("a").c_str(), "empty", nullptr));
    EXPECT_EQ(str(reg.readString("empty")), "");

    EXPECT_TRUE(reg.writeInt("n", 0xDEADBEEF));
    EXPECT_EQ(reg.readInt("n"), 0xDEADBEEFul);
    EXPECT_EQ(reg.readInt("missing"), 0ul);
    EXPECT_EQ(reg.readInt("text"), 0ul);       // a text is not a number
    EXPECT_EQ(str(reg.readString("n")), "");   // nor a number a text

    const char expand[] = "%PATH%\\x";
    setRaw(sub("a"), "expand", REG_EXPAND_SZ, expand, sizeof expand);
    EXPECT_EQ(str(reg.readString("expand")), expand);  // not expanded

    // 999 characters and their terminator fill the buffer exactly; one more is too long.
    std::string fits(999, 'f'), tooLong(1000, 'l');
    reg.writeString("fits", fits.c_str());
    reg.writeString("long", tooLong.c_str());
    EXPECT_EQ(str(reg.readString("fits")), fits);
    EXPECT_EQ(str(reg.readString("long")), "");
    // Stored without a terminator, a text still reads as just its own bytes.
    setRaw(sub("a"), "bare", REG_SZ, "abc", 3);
    EXPECT_EQ(str(reg.readString("bare")), "abc");
    setRaw(sub("a"), "bare1000", REG_SZ, tooLong.data(), 1000);
    EXPECT_EQ(str(reg.readString("bare1000")), "");
}

TEST_F(Registry, OneCallHelpersCreateKeysAndReadAnyKind)
{
    registryWrite(key.c_str(), "b\\c", "name", "value");
    EXPECT_TRUE(keyExists(sub("b\\c")));
    EXPECT_EQ(str(registryRead(key.c_str(), "b\\c", "name", "def")), "value");
    EXPECT_EQ(str(registryRead(key.c_str(), "b\\c", "missing", "def")), "def");
    EXPECT_EQ(str(registryRead(key.c_str(), "nokey", "name", "def")), "def");
    registryWrite(key.c_str(), "b\\c", "blank", nullptr);
    EXPECT_EQ(str(registryRead(key.c_str(), "b\\c", "blank", "def")), "def");

    // The type is not looked at: a number reads as the text its bytes spell.
    DWORD number = 0x00434241;
    setRaw(sub("d"), "num", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(str(registryRead(key.c_str(), "d", "num", "def")), "ABC");
    number = 0;
    setRaw(sub("d"), "zero", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(str(registryRead(key.c_str(), "d", "zero", "def")), "def");
}

TEST_F(Registry, SubKeysAreCreatedListedAndDeletedBelowTheCurrentKey)
{
    ASSERT_TRUE(reg.createPath(key.c_str()));
    ASSERT_TRUE(reg.selectKey(key.c_str()));
    ASSERT_TRUE(reg.createSubKey("a"));
    ASSERT_TRUE(reg.createSubKey("b"));  // below a: the current path is now key\a\b
    EXPECT_TRUE(reg.writeString("here", "1"));
    EXPECT_EQ(str(reg.readString(sub("a\\b").c_str(), "here")), "1");

    ASSERT_TRUE(reg.selectKey(key.c_str()));
    reg.createSubKey("x");
    reg.selectKey(key.c_str());
    reg.writeString("v1", "1");
    reg.writeInt("v2", 2);
    cArrayStr keys, values;
    reg.getKeyList(keys);
    reg.getValueNameList(values);
    ASSERT_EQ(keys.count(), 2);
    EXPECT_STREQ(keys[0], "a");
    EXPECT_STREQ(keys[1], "x");
    ASSERT_EQ(values.count(), 2);
    EXPECT_STREQ(values[0], "v1");
    EXPECT_STREQ(values[1], "v2");

    // Keys that still hold sub-keys are not deleted.
    EXPECT_FALSE(reg.deleteSubKey("a"));
    EXPECT_FALSE(reg.deletePath((key + "/a").c_str()));
    EXPECT_TRUE(keyExists(sub("a\\b")));
    EXPECT_TRUE(reg.deleteSubKey("a/b"));
    EXPECT_TRUE(reg.deletePath((key + "/a").c_str()));
    EXPECT_FALSE(keyExists(sub("a")));
    // An empty name would name the current key itself.
    EXPECT_FALSE(reg.deleteSubKey(""));
    EXPECT_FALSE(reg.deletePath(""));
    EXPECT_TRUE(keyExists(key));

    EXPECT_TRUE(reg.deleteValue("v1"));
    EXPECT_FALSE(reg.deleteValue("v1"));
    EXPECT_TRUE(reg.deleteValue(key.c_str(), "v2"));
    reg.getValueNameList(values);
    EXPECT_EQ(values.count(), 0);

    // A failed selection keeps the current key.
    EXPECT_FALSE(reg.selectKey((key + "/none").c_str()));
    reg.writeString("still", "here");
    EXPECT_EQ(str(reg.readString(key.c_str(), "still")), "here");
}

TEST_F(Registry, ReadOnlyAndClosedBrowsersChangeNothing)
{
    ASSERT_TRUE(reg.createPath((key + "/k").c_str()));
    reg.writeString(key.c_str(), "v", "old");
    cRegistry ro;
    ASSERT_TRUE(ro.open(HKEY_CURRENT_USER, false));
    ASSERT_TRUE(ro.selectKey(key.c_str()));
    EXPECT_EQ(str(ro.readString("v")), "old");
    EXPECT_FALSE(ro.writeString("v", "new"));
    EXPECT_FALSE(ro.writeInt("n", 1));
    EXPECT_FALSE(ro.deleteValue("v"));
    EXPECT_FALSE(ro.createSubKey("s"));
    EXPECT_FALSE(ro.deleteSubKey("k"));
    EXPECT_FALSE(ro.createPath((key + "/p").c_str()));
    EXPECT_FALSE(ro.deletePath((key + "/k").c_str()));
    EXPECT_EQ(str(reg.readString(key.c_str(), "v")), "old");
    EXPECT_TRUE(keyExists(sub("k")));
    EXPECT_FALSE(keyExists(sub("s")));
    EXPECT_FALSE(keyExists(sub("p")));

    ro.close();
    cArrayStr keys;
    keys.append("stale");
    ro.getKeyList(keys);
    EXPECT_EQ(keys.count(), 0);
    EXPECT_EQ(str(ro.readString("v")), "");
    EXPECT_FALSE(ro.selectKey(key.c_str()));
}

}  // namespace
