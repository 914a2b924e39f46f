#include <gtest/gtest.h>
#include <string>
#include "regsandbox.h"
#include "settings.h"

namespace {

const char kSettings[] = "Software\\Kestrine\\Orrel";

std::vector<std::string> entries(const CStringArray& list)
{
    std::vector<std::string> out;
    for (int i = 0; i < list.GetSize(); i++) out.push_back(list.GetAt(i).getPtr());
    return out;
}

std::string letter(int i) { return std::string(1, static_cast<char>('A' + i)); }

TEST(RecentUrls, StoresTwentySixAndBlanksTheRest)
{
    RegistrySandbox sandbox;
    storeText(HKEY_CURRENT_USER, kSettings, "", "C:\\orrel.exe");
    CStringArray list;
    for (int i = 29; i >= 0; i--) addRecentUrl(list, ("http://h/" + std::to_string(i) + ".orp").c_str());
    saveRecentUrls(list);
    for (int i = 0; i < 26; i++)
        EXPECT_EQ(storedValue(HKEY_CURRENT_USER, kSettings, letter(i).c_str()).text,
                  "http://h/" + std::to_string(i) + ".orp");
    EXPECT_EQ(storedValue(HKEY_CURRENT_USER, kSettings, "[").type, 0u);

    CStringArray loaded;
    // A shorter list blanks the letters it no longer uses; loading skips them.
    CStringArray shorter;
    addRecentUrl(shorter, "x");
    saveRecentUrls(shorter);
    EXPECT_EQ(storedValue(HKEY_CURRENT_USER, kSettings, "Z").type, static_cast<DWORD>(REG_SZ));
    loadRecentUrls(loaded);
    EXPECT_EQ(entries(loaded), std::vector<std::string>{"x"});
}

TEST(RecentUrls, LoadTakesOnlyTextsThatFitTheLocationBuffer)
{
    RegistrySandbox sandbox;
    std::string fits(259, 'f'), tooLong(260, 't');
    storeText(HKEY_CURRENT_USER, kSettings, "A", "first");
    storeText(HKEY_CURRENT_USER, kSettings, "B", "");
    DWORD seven = 7;
    storeValue(HKEY_CURRENT_USER, kSettings, "C", REG_DWORD, &seven, sizeof seven);
    storeText(HKEY_CURRENT_USER, kSettings, "D", "%expanded%", REG_EXPAND_SZ);
    storeText(HKEY_CURRENT_USER, kSettings, "E", tooLong.c_str());
    storeText(HKEY_CURRENT_USER, kSettings, "F", fits.c_str());
    CStringArray list;
    loadRecentUrls(list);
    EXPECT_EQ(entries(list), (std::vector<std::string>{"first", "%expanded%", fits}));
}

}  // namespace
