#include <string>
#include "sys/path.h"
#include "sysfixture.h"

namespace {

std::string split(const std::string& path, unsigned short part)
{
    char dest[MAX_PATH];
    kaSplitPath(dest, path.c_str(), part);
    return dest;
}

std::string full(const char* name, const char* dir, const char* defExt)
{
    char dest[MAX_PATH];
    kaMakeFullName(dest, name, dir, defExt);
    return dest;
}

std::string changed(const char* src, const char* ext)
{
    char dest[MAX_PATH] = "untouched";
    kaChangeExtension(dest, src, ext);
    return dest;
}

TEST(Path, RefusesPathsTooLongForABufferAndCutsPartsWholeCharacters)
{
    std::string tooLong = "C:\\" + std::string(MAX_PATH, 'a');
    for (unsigned short part = 0; part < 4; ++part) EXPECT_EQ(split(tooLong, part), "");
    EXPECT_EQ(kaHasNoDrvDir(tooLong.c_str()), 1);

    // A folder of 256 bytes is cut to 255, and never inside a double-byte character.
    std::string folder = "\\";
    for (int i = 0; i < 127; ++i) folder += "가";  // 254 bytes
    folder += "\\";                                  // 256 bytes in all
    EXPECT_EQ(split(folder + "n", 1).size(), 255u);
    folder = "\\x";
    for (int i = 0; i < 127; ++i) folder += "가";
    folder += "\\";  // 257 bytes: the cut would fall inside the last character
    EXPECT_EQ(split(folder + "n", 1).size(), 254u);
}

TEST(Path, MakesFullNamesFromFolderAndDefaultExtension)
{
    struct {
        const char* name;
        const char* dir;
        const char* ext;
        const char* expected;
    } cases[] = {
        {"sub/b", "C:\\dir", "txt", "C:\\dir\\sub\\b.txt"},
        // Addresses and URLs pass through with their slashes turned, dot-dots kept.
        {"me@host.com", "C:\\dir", "txt", "me@host.com"},
        // Dot-dot steps: a drive, the root or a server is never stepped over.
        {"x\\..\\..\\b", "C:\\d\\e", "", "C:\\d\\b"},
        {"..\\x", "\\\\srv", "t", "\\\\srv\\x.t"},
        // Without a folder the name stays relative: it is not put at the drive's root.
        {"sub\\b", nullptr, ".tmp", "sub\\b.tmp"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(full(cases[i].name, cases[i].dir, cases[i].ext), cases[i].expected);
    }

    kaMakeFullName(nullptr, "a", "b", "c");
    EXPECT_EQ(errorText(), "No buffer for destination in kaMakeFullName().");
}

TEST(Path, RefusesFullNamesThatDoNotFit)
{
    std::string dir = "C:\\" + std::string(200, 'd');
    std::string name(60, 'n');
    kaErrorClear();
    EXPECT_EQ(full(name.c_str(), dir.c_str(), "txt"), "");
    EXPECT_NE(errorText(), "");
    EXPECT_NE(errorFullText().find(name), std::string::npos);
    // Just fitting: 259 characters.
    name.resize(259 - dir.size() - 1 - 4);
    EXPECT_EQ(full(name.c_str(), dir.c_str(), "txt").size(), 259u);
    std::string huge(MAX_PATH, 'h');
    EXPECT_EQ(full("a", huge.c_str(), nullptr), "");
    // A folder part the split would have to cut: joining the cut parts would name
    // some other file, so the name is refused.
    std::string deep = "C:\\" + std::string(254, 'd') + "\\n";
    kaErrorClear();
    EXPECT_EQ(full(deep.c_str(), "C:\\x", nullptr), "");
    EXPECT_NE(errorText(), "");
}

TEST(Path, ChangesExtensionAtTheLastDotAndRefusesWhatDoesNotFit)
{
    EXPECT_EQ(changed("dir.x\\file", "txt"), "dir.txt");
    EXPECT_EQ(changed("", "txt"), "untouched");
    std::string longName(256, 'a');
    EXPECT_EQ(changed(longName.c_str(), "txt"), "");  // 259 would not fit
    EXPECT_EQ(changed(longName.c_str(), "tx"), longName + ".tx");
}

}  // namespace
