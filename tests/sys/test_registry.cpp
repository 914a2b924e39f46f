#include <string>
#include "sysfixture.h"

namespace {

// A key of its own under the current user's Software key, removed afterwards.
class Registry : public ::testing::Test {
protected:
    void SetUp() override
    {
        leaf = "OrrelTest-" + std::to_string(GetCurrentProcessId());
        key = "Software\\" + leaf;
        RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
        ASSERT_TRUE(reg.open(HKEY_CURRENT_USER, true));
        ASSERT_TRUE(reg.createPath(key.c_str()));
        ASSERT_TRUE(reg.selectKey(key.c_str()));
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
    void setRaw(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY k;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &k), ERROR_SUCCESS);
        RegSetValueExA(k, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(k);
    }

    std::string leaf, key;
    cRegistry reg;
};

TEST_F(Registry, ValuesRoundTripAndTextsNeverOverrunTheirBuffer)
{
    EXPECT_TRUE(reg.writeString("text", "한글 값"));
    EXPECT_EQ(str(reg.readString("text")), "한글 값");
    EXPECT_TRUE(reg.writeInt("n", 0xDEADBEEF));
    EXPECT_EQ(reg.readInt("n"), 0xDEADBEEFul);

    // 999 characters and their terminator fill the buffer exactly; one more is too long.
    std::string fits(999, 'f'), tooLong(1000, 'l');
    reg.writeString("fits", fits.c_str());
    reg.writeString("long", tooLong.c_str());
    EXPECT_EQ(str(reg.readString("fits")), fits);
    EXPECT_EQ(str(reg.readString("long")), "");
    // Stored without a terminator, a text still reads as just its own bytes.
    setRaw("bare", REG_SZ, "abc", 3);
    EXPECT_EQ(str(reg.readString("bare")), "abc");
    setRaw("bare1000", REG_SZ, tooLong.data(), 1000);
    EXPECT_EQ(str(reg.readString("bare1000")), "");
}

TEST_F(Registry, SubKeysAreCreatedListedAndDeletedBelowTheCurrentKey)
{
    ASSERT_TRUE(reg.createSubKey("a"));
    ASSERT_TRUE(reg.createSubKey("b"));  // below a: the current path is now key\a\b
    EXPECT_TRUE(reg.writeString("here", "1"));
    EXPECT_EQ(str(reg.readString(sub("a\\b").c_str(), "here")), "1");

    ASSERT_TRUE(reg.selectKey(key.c_str()));
    // Keys that still hold sub-keys are not deleted.
    EXPECT_FALSE(reg.deletePath((key + "/a").c_str()));
    EXPECT_TRUE(reg.deleteSubKey("a/b"));
    EXPECT_TRUE(reg.deletePath((key + "/a").c_str()));
    EXPECT_FALSE(keyExists(sub("a")));
    // An empty name would name the current key itself.
    EXPECT_FALSE(reg.deleteSubKey(""));
    EXPECT_TRUE(keyExists(key));

}

}  // namespace
