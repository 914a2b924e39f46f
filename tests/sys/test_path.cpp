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

class PathOnDisk : public TempFolder {};

TEST(Path, SplitsDrivesSharesAndDoubleByteNames)
{
    struct {
        const char* path;
        const char* drive;
        const char* folder;
        const char* name;
    } cases[] = {
        {"C:\\a\\b.txt", "C:", "\\a\\", "b"},
        {"C:/a/b.txt", "C:", "/a/", "b"},
        {"\\\\srv\\share\\b.txt", "\\\\srv", "\\share\\", "b"},
        {"\\\\srv", "\\\\", "", "srv"},
        // Two slashes are not a share.
        {"//srv/share/b.txt", "", "//srv/share/", "b"},
        {"a.tar.gz", "", "", "a.tar"},
        {"dir.x\\file", "", "dir.x\\", "file"},
        {"C:\\한글\\파일.txt", "C:", "\\한글\\", "파일"},
        {".profile", "", "", ""},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(split(cases[i].path, 0), cases[i].drive);
        EXPECT_EQ(split(cases[i].path, 1), cases[i].folder);
        EXPECT_EQ(split(cases[i].path, 2), std::string(cases[i].drive) + cases[i].folder);
        EXPECT_EQ(split(cases[i].path, 3), cases[i].name);
    }

    EXPECT_EQ(split("", 1), "");
    char dest[MAX_PATH] = "kept";
    kaSplitPath(dest, "C:\\a\\b", 4);
    EXPECT_STREQ(dest, "kept");
    kaSplitPath(nullptr, "C:\\a", 0);
    EXPECT_EQ(errorText(), "No buffer for destination in kaSplitPath().");
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
    std::string cut = split(folder + "n", 1);
    EXPECT_EQ(cut.size(), 255u);
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
        {"b.txt", "C:\\dir\\", nullptr, "C:\\dir\\b.txt"},
        {"sub/b", "C:\\dir", "txt", "C:\\dir\\sub\\b.txt"},
        {"\\x\\b.txt", "D:\\dir", nullptr, "D:\\x\\b.txt"},
        {"\\x\\b.txt", "\\\\srv\\s", nullptr, "\\x\\b.txt"},
        {"b", "", "", "b"},
        {"..\\b.txt", "C:\\dir\\sub", nullptr, "C:\\dir\\b.txt"},
        {"E:\\y\\b", "C:\\dir", ".dat", "E:\\y\\b.dat"},
        {"b.log", "C:\\dir", "txt", "C:\\dir\\b.log"},
        {"b", "C:/dir/", "txt", "C:\\dir\\b.txt"},
        {"\\\\srv\\s\\b", "C:\\dir", "txt", "\\\\srv\\s\\b.txt"},
        // Addresses and URLs pass through with their slashes turned.
        {"me@host.com", "C:\\dir", "txt", "me@host.com"},
        {"www.x.com/a", "C:\\dir", "txt", "www.x.com\\a"},
        {"HTTP://x/../a", "C:\\dir", "txt", "HTTP:\\\\x\\..\\a"},
        {"https.txt", "C:\\dir", nullptr, "C:\\dir\\https.txt"},
        // Dot-dot steps: a drive, the root or a server is never stepped over.
        {"x\\..\\..\\b", "C:\\d\\e", "", "C:\\d\\b"},
        {"..\\..\\x", "C:\\", "", "C:\\x"},
        {"\\..\\x", "", "t", "\\x.t"},
        {"..\\x", "\\\\srv", "t", "\\\\srv\\x.t"},
        // Without a folder the name stays relative: it is not put at the drive's root.
        {"b", "", "tmp", "b.tmp"},
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
    EXPECT_EQ(full(deep.c_str(), "C:\\x", "txt"), "");
    EXPECT_NE(errorText(), "");
}

TEST(Path, ChangesExtensionAtTheLastDotAnywhere)
{
    EXPECT_EQ(changed("a.tar.gz", "zip"), "a.tar.zip");
    EXPECT_EQ(changed("dir.x\\file", "txt"), "dir.txt");
    EXPECT_EQ(changed("file", ".txt"), "file.txt");
    EXPECT_EQ(changed("file.txt", ""), "file.");
    EXPECT_EQ(changed("파일.한", "txt"), "파일.txt");
    EXPECT_EQ(changed("", "txt"), "untouched");
    EXPECT_EQ(changed(nullptr, "txt"), "untouched");
    std::string longName(256, 'a');
    EXPECT_EQ(changed(longName.c_str(), "txt"), "");  // 259 would not fit
    EXPECT_EQ(changed(longName.c_str(), "tx"), longName + ".tx");
}

TEST(Path, ClassifiesServerAreas)
{
    struct {
        const char* text;
        int area;
    } cases[] = {
        {"http://x", 2}, {"HTTP:x", 2}, {"mailto:a@b", 3}, {"ftp://x", 4}, {"news:x", 5}, {"pnm://x", 6},
        {"Mms://x", 7},  {"https://x", 0}, {"C:\\x", 1}, {"c:", 1}, {"\\\\srv", 1}, {"//x", 1},
        {"\\x", 0},      {"x", 0},         {"", 0},      {nullptr, 0}, {"1:", 0}, {"가:", 0},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(serverArea(cases[i].text), cases[i].area);
    }
}

TEST_F(PathOnDisk, TellsFilesFromFoldersAndReportsMissingOnes)
{
    writeBytes(at("f.txt"), "x");
    CreateDirectoryA(at("sub").c_str(), nullptr);
    CreateDirectoryA(at("폴더").c_str(), nullptr);

    EXPECT_TRUE(kaIsDir("C:\\"));
    EXPECT_TRUE(kaIsDir(at("sub").c_str()));
    EXPECT_TRUE(kaIsDir(at("sub\\").c_str()));
    EXPECT_TRUE(kaIsDir(at("폴더").c_str()));
    std::string slashed = at("sub");
    for (char& c : slashed)
        if (c == '\\') c = '/';
    EXPECT_TRUE(kaIsDir(slashed.c_str()));
    EXPECT_FALSE(kaIsDir(at("f.txt").c_str()));
    EXPECT_FALSE(kaIsDir(at("s*").c_str()));  // a pattern is not a folder
    EXPECT_FALSE(kaIsDir(""));

    kaErrorClear();
    EXPECT_TRUE(kaIsFile(at("f.txt").c_str()));
    EXPECT_FALSE(kaIsFile(at("sub").c_str()));
    EXPECT_EQ(kaErrorExist(), 0);
    EXPECT_FALSE(kaIsFile(at("*.txt").c_str()));
    EXPECT_FALSE(kaIsFile(at("missing.txt").c_str()));
    EXPECT_EQ(errorText(), "The system cannot find the file specified");
    EXPECT_NE(errorFullText().find(at("missing.txt")), std::string::npos);

    // An existing folder is taken whole as the folder of a split.
    EXPECT_EQ(split(at("sub"), 1), split(root, 1) + "sub");
    EXPECT_EQ(split(at("sub"), 3), "");
    EXPECT_EQ(kaHasNoDrvDir(at("sub").c_str()), 0);
    EXPECT_EQ(kaHasNoDrvDir("name.txt"), 1);
    EXPECT_EQ(kaHasNoDrvDir("C:name.txt"), 1);
    EXPECT_EQ(kaHasNoDrvDir("\\x\\name.txt"), 1);
}

}  // namespace
