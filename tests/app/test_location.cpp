#include <gtest/gtest.h>
#include <string>
#include "apptest.h"
#include "dlgprobe.h"
#include "location.h"
#include "state.h"

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

TEST(StartupLocation, CommandLineSplitsAtTheFirstTwoQuestionMarks)
{
    const struct {
        const char *commandLine, *location, *extra;
    } cases[] = {
        {"?x", "", "x"},
        {"A?B?C", "A", "B"},
        // Quotes around the whole line or around the location are a shell's, not the path's.
        {"\"C:\\my projects\\p.orp\"", "C:\\my projects\\p.orp", ""},
        {"\"C:\\my projects\\p.orp?x\"", "C:\\my projects\\p.orp", "x"},
        {"\"C:\\a\" \"b\"", "\"C:\\a\" \"b\"", ""},
    };
    for (auto& want : cases) {
        SCOPED_TRACE(want.commandLine);
        Choice c = choose(kNoBound, want.commandLine);
        EXPECT_TRUE(c.ok);
        EXPECT_EQ(c.location + "|" + c.extra, std::string(want.location) + "|" + want.extra);
    }
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

TEST(StartupLocation, AProjectWithoutAViewerIsReportedNotLaunched)
{
    BoxCloser watcher;
    theLauncher.viewerProgramPath[0] = 0;
    startViewer(nullptr, "lib.dll", "http://h/p.orp", "");
    EXPECT_EQ(watcher.texts(),
              std::vector<std::string>{"The project names no viewer program, so there is nothing to start."});
}

}  // namespace
