// The robustness runs: each target takes a number of seeded inputs, one at a
// time, against the guarded library (every heap block ends at a no-access page)
// with its texts ending at a no-access page too. Around each input the count of
// the library's outstanding blocks must come back to where it was, and the
// error channel is emptied so that its message is not taken for a leak.
//
//   test_fuzz [--inputs=N] [--seed=S]   N inputs per target instead of each
//                                       target's own number; S the run's seed
#pragma once
#include <gtest/gtest.h>
#include <cstdint>
#include <string>
#include "../support/fence.h"
#include "../support/mutator.h"

struct FuzzOptions {
    long inputs = -1;  // per target; -1 keeps each target's own number
    uint64_t seed = 20240611;
};
FuzzOptions& fuzzOptions();

// What one input reports: empty when all is well, otherwise what went wrong.
// The body notes its inputs with note() so that a crash can name them.
class FuzzInput {
public:
    explicit FuzzInput(Mutator& m) : random(m) {}
    Mutator& random;
    std::string problem;

    void note(const std::string& input);
    // Sets the problem once: the first fault found is the one reported.
    void fail(const std::string& what)
    {
        if (problem.empty()) problem = what;
    }
    void check(bool ok, const std::string& what)
    {
        if (!ok) fail(what);
    }
};

using FuzzBody = void (*)(FuzzInput& in);

// Runs target name for its number of inputs (defaultInputs unless --inputs
// says otherwise), each made by m from (run seed, target, index); returns
// that number.
long fuzzTarget(const char* name, long defaultInputs, Mutator& m, FuzzBody body);

// Four fences (0 to 3), reused from input to input: a target that reads two
// texts and writes a third needs three at once.
Fence& fence(int which = 0);
