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
