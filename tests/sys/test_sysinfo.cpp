#include <shlobj.h>
#include <string>
#include "sysfixture.h"

namespace {

TEST(SystemInfo, VersionEntriesAreReplacedNotAdded)
{
    cArrayTag version;
    version.set("stale", "x");
    cSystemInfo info;
    EXPECT_EQ(info.getType(), 102);
    info.getOSVersion(version);
    info.getOSVersion(version);
    EXPECT_EQ(version.count(), 2);
    EXPECT_EQ(version.find("stale"), -1);
    OSVERSIONINFOA plain = {};
    plain.dwOSVersionInfoSize = sizeof plain;
    ASSERT_TRUE(GetVersionExA(&plain));
    EXPECT_EQ(version.getValue("MajorVersion"), static_cast<__int64>(plain.dwMajorVersion));
    EXPECT_EQ(version.getValue("MinorVersion"), static_cast<__int64>(plain.dwMinorVersion));
}

TEST(DataFolder, RootsOnNewAndOldSystemsAreExistingFolders)
{
    cStringA root;
    ASSERT_TRUE(getAppDataRoot(root));
    EXPECT_EQ(root[root.length() - 1], '\\');
    EXPECT_TRUE(kaIsDir(root));

    // Version 6 and later: the low-integrity local folder; before: the roaming one.
    cStringA newer, older;
    ASSERT_TRUE(getAppDataRootFor(6, newer));
    ASSERT_TRUE(getAppDataRootFor(5, older));
    EXPECT_TRUE(kaIsDir(older));
    EXPECT_NE(str(newer), str(older));
    EXPECT_NE(str(newer).find("LocalLow"), std::string::npos);
    char roaming[MAX_PATH];
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, roaming), S_OK);
    EXPECT_EQ(str(older), std::string(roaming) + "\\");
}

TEST(DataFolder, RecordRefusesPathsThatDoNotFit)
{
    EXPECT_TRUE(setViewerFolder("C:\\v\\"));
    EXPECT_STREQ(getViewerFolder(), "C:\\v\\");
    std::string tooLong(MAX_PATH, 'x');
    EXPECT_FALSE(setViewerFolder(tooLong.c_str()));
    EXPECT_STREQ(getViewerFolder(), "");
    std::string fits(MAX_PATH - 1, 'y');
    EXPECT_TRUE(setCacheFolder(fits.c_str()));
    EXPECT_EQ(std::string(getCacheFolder()), fits);
    EXPECT_TRUE(setCacheFolder(""));
    EXPECT_STREQ(getCacheFolder(), "");
    EXPECT_TRUE(setCacheTablePath("C:\\c\\cache.tbl"));
    EXPECT_TRUE(setShortcutFolder("C:\\s\\"));
    EXPECT_TRUE(setExtensionsFolder("C:\\e\\"));
    setViewerFolder("");
}

}  // namespace
