#include <string>
#include "sysfixture.h"

namespace {

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
