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
    // Empty at first: a call that leaves its destination alone still leaves a text.
    GuardedBuffer()
    {
        memset(block, kGuardByte, sizeof block);
        dest()[0] = 0;
    }
    char* dest() { return block + kGuard; }
    bool intact() const
    {
        char guard[kGuard];
        memset(guard, kGuardByte, kGuard);
        return memcmp(block, guard, kGuard) == 0 && memcmp(block + kGuard + MAX_PATH, guard, kGuard) == 0;
    }
    bool terminated() const { return memchr(block + kGuard, 0, MAX_PATH) != nullptr; }

private:
    char block[kGuard + MAX_PATH + kGuard];
};

const char* const kSeeds[] = {
    "C:\\a\\b.txt",      "\\\\srv\\share\\x\\y.z", "http://host/a/b/page.htm", "www.x.com/a/b",
    "me@host.com",       "..\\..\\x",              "한글\\파일.txt",           "a/b\\c.d.e",
    "mailto:x@y",        "C:",                     "",                         "//x/../..",
    "ftp://h/./a/../b.", "가나다라.마바",          "C:\\dir\\sub\\..\\..\\..",
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

void check(GuardedBuffer& b, const std::string& input, const char* what)
{
    ASSERT_TRUE(b.intact()) << what << " wrote outside its buffer for input '" << input << "'";
    ASSERT_TRUE(b.terminated()) << what << " left no terminator for '" << input << "'";
}

// One operation on one input: buffers are guarded, and a name built in a path
// buffer never reaches MAX_PATH characters.
void runOne(int op, const std::string& input, const std::string& other, Mutator& m)
{
    const char* in = input.c_str();
    GuardedBuffer b;
    cFileName name(in);
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
    case 3: name.makeRelative(other.c_str()); break;
    case 4: name.urlFullWithFriend(in, m.pick(0, 1) ? other.c_str() : "http://host/a/b/doc.htm"); break;
    case 5: name.changeExtension(other.c_str()); break;
    default:
        kaHasNoDrvDir(in);
        name.getDir();
        name.getNameExt();
        name.getUrlSplit(m.pick(0, 7));
        name.getParent();
        name.isExtension(other.c_str());
        name.equals(other.c_str());
        return;
    }
    // makeRelative and urlFullWithFriend leave a name that is too long as it was.
    if (op != 5 && input.size() >= MAX_PATH) return;
    ASSERT_LT(name.length(), MAX_PATH) << "op " << op << " for '" << input << "'";
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
        runOne(m.pick(0, 6), input, other, m);
        GuardedBuffer b;
        kaChangeExtension(b.dest(), input.c_str(), other.c_str());
        check(b, input, "kaChangeExtension");
        serverArea(input.c_str());
    }
    kaErrorMute(false);
    kaErrorClear();
}

}  // namespace
