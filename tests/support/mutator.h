// The one seeded mutator of the robustness runs. A target describes its input
// space (well-formed seeds, the pieces that steer it, a length limit); the
// mutator turns a seed into an odd input by a few random edits. Each input has
// a seed of its own, derived from the run's seed, the target and the input's
// number, so that any one input can be made again without the ones before it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A generator of its own (splitmix64): a seed gives the same inputs with any
// standard library, which std::uniform_int_distribution does not promise.
class FuzzRandom {
public:
    explicit FuzzRandom(uint64_t seed = 0) : state(seed) {}
    void reseed(uint64_t seed) { state = seed; }
    uint64_t next();
    // 0 to n - 1; 0 when n is 0.
    size_t below(size_t n) { return n ? static_cast<size_t>(next() % n) : 0; }
    int range(int lo, int hi) { return lo + static_cast<int>(below(static_cast<size_t>(hi - lo) + 1)); }
    bool oneIn(size_t n) { return below(n) == 0; }

private:
    uint64_t state;
};

struct MutationSpace {
    std::vector<std::string> seeds;
    // Markup, separators, number parts, lead bytes: what the target reacts to.
    std::vector<std::string> pieces;
    size_t maxLength = 2048;
    int maxEdits = 4;
    // Byte targets take NUL like any other byte; for C texts it would only cut.
    bool nul = false;
};

class Mutator : public FuzzRandom {
public:
    explicit Mutator(MutationSpace space);

    // Sets the generator for input number index of a run seeded with runSeed.
    void startInput(uint64_t runSeed, uint64_t index);
    // One to maxEdits edits of a random seed.
    std::string next();
    void edit(std::string& s);

    const std::string& seed() { return space.seeds[below(space.seeds.size())]; }
    const std::string& piece() { return space.pieces[below(space.pieces.size())]; }
    // Any byte (never NUL unless the space allows it), often a piece's first byte.
    char byte();
    // A position inside s or at its end.
    size_t at(const std::string& s) { return below(s.size() + 1); }
    const MutationSpace& bounds() const { return space; }

private:
    MutationSpace space;
};

// A target's run seed: the run's seed mixed with the target's name, so that one
// target's inputs do not change when another target is added or filtered out.
uint64_t targetSeed(uint64_t runSeed, const char* target);

// The input as a C literal (\xNN for every byte that is not plain ASCII), cut
// to limit bytes, for failure messages.
std::string describe(const std::string& input, size_t limit = 600);
