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

void check(GuardedBuffer& b, const std::string& input, const char* what)
{
    ASSERT_TRUE(b.intact()) << what << " wrote outside its buffer for input '" << input << "'";
    ASSERT_TRUE(b.terminated()) << what << " left no terminator for '" << input << "'";
}

TEST(PathMutation, OddPathsNeverWritePastTheBuffer)
{
    const unsigned seed = 20240607;
    SCOPED_TRACE(seed);
    Mutator m(seed);
    kaErrorMute(true);
    for (int i = 0; i < kInputs; ++i) {
        std::string input = m.next();
        std::string other = m.next();
        const char* in = input.c_str();
        GuardedBuffer b;
        b.dest()[0] = 0;
        // One of the calls that ask the file system per input keeps the run short.
        switch (m.pick(0, 3)) {
        case 0:
            kaSplitPath(b.dest(), in, static_cast<unsigned short>(m.pick(0, 4)));
            check(b, input, "kaSplitPath");
            break;
        case 1:
            kaMakeFullName(b.dest(), in, other.c_str(), m.pick(0, 1) ? "txt" : nullptr);
            check(b, input, "kaMakeFullName");
            break;
        case 2:
            kaMakeFullName(b.dest(), other.c_str(), in, ".x");
            check(b, input, "kaMakeFullName");
            break;
        default: kaHasNoDrvDir(in); break;
        }
        kaChangeExtension(b.dest(), in, other.c_str());
        check(b, input, "kaChangeExtension");
        serverArea(in);
        if (HasFatalFailure()) break;
    }
    kaErrorMute(false);
    kaErrorClear();
}

}  // namespace
