// The path functions on odd, long and double-byte paths: no destination written
// past its MAX_PATH bytes or left without a terminator, and a name built in a
// path buffer never reaches MAX_PATH characters.
#include <windows.h>
#include <cstring>
#include "fuzz.h"
#include "ka.h"

namespace {

MutationSpace pathSpace()
{
    MutationSpace s;
    s.seeds = {"C:\\a\\b.txt", "\\\\srv\\share\\x\\y.z", "http://host/a/b/page.htm", "www.x.com/a/b",
               "me@host.com", "..\\..\\x", "한글\\파일.txt", "a/b\\c.d.e", "mailto:x@y", "C:", "",
               "//x/../..", "ftp://h/./a/../b.", "가나다라.마바", "C:\\dir\\sub\\..\\..\\..", "news:a", "mms://h/x"};
    s.pieces = {"\\", "/", ".", "..", ":", "@", "*", "?", "a", "Z", " ", "_", "\xB0", "\xA1", "\xFF", "\x80",
                "\\가", "ab.", "\\..\\", "/../", "http://", "C:\\", "\\\\"};
    s.maxLength = 600;
    return s;
}

void checkOutput(FuzzInput& in, const char* dest, const char* what)
{
    in.check(fence(1).frontIntact(), std::string(what) + " wrote in front of its destination");
    in.check(memchr(dest, 0, MAX_PATH) != nullptr, std::string(what) + " left no terminator");
}

// Paths of about MAX_PATH bytes, where cuts and refusals happen.
std::string nearTheLimit(FuzzInput& in, std::string s)
{
    size_t target = static_cast<size_t>(in.random.range(250, 270));
    while (s.size() < target) s += in.random.oneIn(2) ? "\\가" : "ab.";
    s.resize(target);
    return s;
}

void paths(FuzzInput& in)
{
    Mutator& m = in.random;
    std::string input = m.next(), other = m.next();
    if (m.oneIn(7)) input = nearTheLimit(in, input);
    in.note(input);
    in.note(other);
    const char* text = fence(0).text(input);
    const char* second = fence(2).text(other);
    int op = m.range(0, 6);
    {
        cFileName name(text);
        char* dest = fence(1).output(MAX_PATH);
        dest[0] = 0;
        switch (op) {
        case 0:
            kaSplitPath(dest, text, static_cast<unsigned short>(m.range(0, 4)));
            checkOutput(in, dest, "kaSplitPath");
            break;
        case 1:
            kaMakeFullName(dest, text, second, m.oneIn(2) ? "txt" : nullptr);
            checkOutput(in, dest, "kaMakeFullName");
            break;
        case 2:
            kaMakeFullName(dest, second, text, ".x");
            checkOutput(in, dest, "kaMakeFullName");
            break;
        case 3: name.makeRelative(second); break;
        case 4: name.urlFullWithFriend(text, m.oneIn(2) ? second : "http://host/a/b/doc.htm"); break;
        case 5: name.changeExtension(second); break;
        default:
            kaHasNoDrvDir(text);
            name.getDir();
            name.getNameExt();
            name.getUrlSplit(m.range(0, 7));
            name.getParent();
            name.isExtension(second);
            name.equals(second);
            break;
        }
        // makeRelative and urlFullWithFriend leave a name that is too long as it was.
        if (op >= 3 && op <= 5 && (op == 5 || input.size() < MAX_PATH))
            in.check(name.length() < MAX_PATH, "op " + std::to_string(op) + " made a name of MAX_PATH characters");

        dest = fence(1).output(MAX_PATH);
        dest[0] = 0;
        kaChangeExtension(dest, text, second);
        checkOutput(in, dest, "kaChangeExtension");
        serverArea(text);
    }
    in.check(fence(0).unchanged() && fence(2).unchanged(), "an input text was written to");
}

TEST(Robustness, PathFunctions)
{
    Mutator m(pathSpace());
    kaErrorMute(true);
    fuzzTarget("paths", 150000, m, paths);
    kaErrorMute(false);
    kaErrorClear();
}

}  // namespace
