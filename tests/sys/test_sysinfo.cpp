#include <string>
#include "sysfixture.h"

namespace {

TEST(DataFolder, RootsOnNewAndOldSystemsAreExistingFolders)
{
    // Version 6 and later: the low-integrity local folder; before: the roaming one.
    cStringA newer, older;
    ASSERT_TRUE(getAppDataRootFor(6, newer));
    ASSERT_TRUE(getAppDataRootFor(5, older));
    EXPECT_TRUE(kaIsDir(newer));
    EXPECT_TRUE(kaIsDir(older));
    EXPECT_NE(str(newer).find("LocalLow\\"), std::string::npos);
    EXPECT_EQ(str(older).back(), '\\');
}

TEST(DataFolder, RecordRefusesPathsThatDoNotFit)
{
    EXPECT_TRUE(setViewerFolder("C:\\v\\"));
    EXPECT_FALSE(setViewerFolder(std::string(MAX_PATH, 'x').c_str()));
    EXPECT_STREQ(getViewerFolder(), "");
    std::string fits(MAX_PATH - 1, 'y');
    EXPECT_TRUE(setCacheFolder(fits.c_str()));
    EXPECT_EQ(std::string(getCacheFolder()), fits);
    setCacheFolder("");
}

}  // namespace
