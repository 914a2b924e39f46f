#include <gtest/gtest.h>
#include <string>
#include "apptest.h"
#include "location.h"

namespace {

const char kTooLong[] = "The project location is too long: a location may have at most 259 characters.";
// Only the slot's first character is looked at.
const char kNoBound[] = "-";

struct Choice {
    bool ok;
    std::string location, extra;
};

Choice choose(const char* bound, const char* commandLine)
{
    LocationBuffer location;
    cStringA extra;
    bool ok = chooseLocation(bound, commandLine, location, extra);
    return {ok, location, text(extra)};
}

TEST(StartupLocation, LocationsThatDoNotFitAreRefusedNotCut)
{
    BoxCloser watcher;
    std::string fits = "http://h/" + std::string(250, 'a');   // 259 characters
    Choice c = choose(kNoBound, (fits + "?x").c_str());
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.location, fits);
    c = choose(kNoBound, (fits + "b?x").c_str());
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.location, "");

    // A bare name that fits alone but not inside the launcher's folder.
    LocationBuffer location;
    strCopy(location, std::string(200, 'n').c_str());
    std::string program = "C:\\" + std::string(60, 'd') + "\\orrel.exe";
    EXPECT_FALSE(resolveBareName(location, program.c_str()));
    EXPECT_EQ(watcher.texts(), (std::vector<std::string>{kTooLong, kTooLong}));
}

}  // namespace
