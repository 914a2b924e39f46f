// Seeded mutation run over the path functions: odd, long and double-byte paths
// must neither crash nor write outside a MAX_PATH destination.
#include <cstring>
#include <random>
#include <string>
#include "sys/path.h"
#include "sysfixture.h"

namespace {

const int kGuard = 32;
const unsigned char kGuardByte = 0xA5;
const int kInputs = 100000;

// A MAX_PATH destination with guard bytes on both sides.
class GuardedBuffer {
public:
    GuardedBuffer() { memset(block, kGuardByte, sizeof block); }
    char* dest() { return block + kGuard; }
    bool intact() const
    {
        for (int i = 0; i < kGuard; ++i)
            if (static_cast<unsigned char>(block[i]) != kGuardByte ||
                static_cast<unsigned char>(block[kGuard + MAX_PATH + i]) != kGuardByte)
                return false;
        return true;
    }
    bool terminated() const { return memchr(block + kGuard, 0, MAX_PATH) != nullptr; }

private:
    char block[kGuard + MAX_PATH + kGuard];
};

const char* const kSeeds[] = {
    "C:\\a\\b.txt",        "\\\\srv\\share\\x\\y.z", "http://host/a/b/page.htm", "www.x.com/a/b",
    "me@host.com",         "..\\..\\x",              "C:\\..\\x",                "한글\\파일.txt",
    "a/b\\c.d.e",          "mailto:x@y",             "C:",                       "\\",
    "",                    "//x/../..",              "C:\\dir\\sub\\..\\..\\..", "ftp://h/./a/../b.",
    "C:\\Windows",         "x.",                     ".\\.\\.\\",                "가나다라.마바",
};

const char kAlphabet[] = {'\\', '/', '.', ':', '@', '*', '?', 'a', 'Z', ' ', '_', '\xB0', '\xA1', '\xFF', '\x80'};

class Mutator {
public:
    explicit Mutator(unsigned seed) : rng(seed) {}

    std::string next()
    {
        std::string s = seed();
        int steps = pick(1, 6);
        for (int i = 0; i < steps; ++i) mutate(s);
        return s;
    }

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

private:
    std::string seed() { return kSeeds[pick(0, sizeof kSeeds / sizeof kSeeds[0] - 1)]; }

    char byte()
    {
        if (pick(0, 3) == 0) return static_cast<char>(pick(1, 255));
        return kAlphabet[pick(0, sizeof kAlphabet - 1)];
    }

    void mutate(std::string& s)
    {
        size_t at = s.empty() ? 0 : static_cast<size_t>(pick(0, static_cast<int>(s.size())));
        switch (pick(0, 6)) {
        case 0: if (at < s.size()) s[at] = byte(); break;
        case 1: s.insert(at, 1, byte()); break;
        case 2: if (at < s.size()) s.erase(at, 1); break;
        case 3: s.insert(at, seed()); break;
        case 4: s.resize(at); break;
        case 5: {
            // Near the buffer limits, where cuts and refusals happen.
            size_t target = static_cast<size_t>(pick(250, 270));
            while (s.size() < target) s += pick(0, 1) ? "\\가" : "ab.";
            s.resize(target);
            break;
        }
        default: s.insert(at, std::string(pick(1, 4), '.') + (pick(0, 1) ? "\\" : "/")); break;
        }
    }

    std::mt19937 rng;
};

// Results built in path buffers never reach MAX_PATH characters.
void checkLength(const cStringA& s, const std::string& input, const char* what)
{
    ASSERT_LT(s.length(), MAX_PATH) << what << " for '" << input << "'";
}

void check(GuardedBuffer& b, const std::string& input, const char* what)
{
    ASSERT_TRUE(b.intact()) << what << " wrote outside its buffer for input '" << input << "'";
    ASSERT_TRUE(b.terminated()) << what << " left no terminator for '" << input << "'";
}

// One operation on one input; the buffer is guarded, other results are checked
// against the path limit.
void runOne(int op, const std::string& input, const std::string& other, Mutator& m)
{
    const char* in = input.c_str();
    bool fits = input.size() < MAX_PATH;
    GuardedBuffer b;
    b.dest()[0] = 0;
    cFileName name(in), result;
    switch (op) {
    case 0:
        kaSplitPath(b.dest(), in, static_cast<unsigned short>(m.pick(0, 4)));
        return check(b, input, "kaSplitPath");
    case 1:
        kaMakeFullName(b.dest(), in, other.c_str(), m.pick(0, 1) ? "txt" : nullptr);
        return check(b, input, "kaMakeFullName");
    case 2:
        kaMakeFullName(b.dest(), other.c_str(), in, ".x");
        return check(b, input, "kaMakeFullName");
    case 3: kaHasNoDrvDir(in); return;
    case 4: return checkLength(name.getDir(), input, "getDir");
    case 5: return checkLength(name.getNameExt(), input, "getNameExt");
    case 6:
        name.makeRelative(other.c_str());
        if (fits) checkLength(cStringA(name), input, "makeRelative");
        return;
    case 7:
        result.urlFullWithFriend(in, other.c_str());
        if (fits) checkLength(cStringA(result), input, "urlFullWithFriend");
        return;
    case 8:
        result.urlFullWithFriend(in, "http://host/a/b/doc.htm");
        if (fits) checkLength(cStringA(result), input, "urlFullWithFriend");
        return;
    case 9: return checkLength(name.getUrlSplit(m.pick(0, 7)), input, "getUrlSplit");
    case 10:
        name.getParent();
        name.isExtension(other.c_str());
        name.equals(other.c_str());
        return;
    default:
        name.changeExtension(other.c_str());
        return checkLength(cStringA(name), input, "changeExtension");
    }
}

TEST(PathMutation, OddPathsNeverWritePastTheBuffer)
{
    const unsigned seed = 20240607;
    SCOPED_TRACE(seed);
    Mutator m(seed);
    kaErrorMute(true);
    for (int i = 0; i < kInputs && !HasFatalFailure(); ++i) {
        std::string input = m.next();
        std::string other = m.next();
        runOne(m.pick(0, 11), input, other, m);
        GuardedBuffer b;
        b.dest()[0] = 0;  // an empty source leaves the destination as it was
        kaChangeExtension(b.dest(), input.c_str(), other.c_str());
        check(b, input, "kaChangeExtension");
        serverArea(input.c_str());
    }
    kaErrorMute(false);
    kaErrorClear();
}

}  // namespace
