#include <windows.h>
#include <malloc.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include "core/error.h"
#include "core/guardedheap.h"
#include "fuzz.h"

namespace {

struct Rate {
    std::string target;
    long inputs;
    double seconds;
};
std::vector<Rate> rates;

// The input being worked on, for the message of a crash: a fault under test is
// seen first here, before the test framework's own handler reports only its code.
const char* currentTarget = nullptr;
long currentIndex = -1;
std::vector<std::string> currentInputs;

bool isFault(DWORD code)
{
    return code == EXCEPTION_ACCESS_VIOLATION || code == EXCEPTION_STACK_OVERFLOW ||
           code == EXCEPTION_ILLEGAL_INSTRUCTION || code == EXCEPTION_INT_DIVIDE_BY_ZERO;
}

LONG CALLBACK reportFault(EXCEPTION_POINTERS* e)
{
    const EXCEPTION_RECORD* r = e->ExceptionRecord;
    if (!currentTarget || !isFault(r->ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
    fprintf(stderr, "\nfuzz: exception 0x%08lX at %p", r->ExceptionCode, r->ExceptionAddress);
    if (r->ExceptionCode == EXCEPTION_ACCESS_VIOLATION && r->NumberParameters >= 2)
        fprintf(stderr, " (%s %p)", r->ExceptionInformation[0] ? "writing" : "reading",
                reinterpret_cast<void*>(r->ExceptionInformation[1]));
    fprintf(stderr, "\n      target %s, input #%ld of seed %llu\n", currentTarget, currentIndex,
            static_cast<unsigned long long>(fuzzOptions().seed));
    // A stack overflow leaves too little stack to format long inputs.
    if (r->ExceptionCode != EXCEPTION_STACK_OVERFLOW)
        for (const std::string& input : currentInputs) fprintf(stderr, "      input %s\n", describe(input).c_str());
    fflush(stderr);
    currentTarget = nullptr;  // once
    return EXCEPTION_CONTINUE_SEARCH;
}

void printRates()
{
    long total = 0;
    double seconds = 0;
    printf("\nRobustness inputs, seed %llu:\n", static_cast<unsigned long long>(fuzzOptions().seed));
    for (const Rate& r : rates) {
        printf("  %-24s %9ld inputs in %6.2f s\n", r.target.c_str(), r.inputs, r.seconds);
        total += r.inputs;
        seconds += r.seconds;
    }
    printf("  %-24s %9ld inputs in %6.2f s\n", "all targets", total, seconds);
    fflush(stdout);
}

bool parseOption(const char* arg, const char* name, unsigned long long& value)
{
    size_t n = strlen(name);
    char* end = nullptr;
    if (strncmp(arg, name, n) != 0) return false;
    value = strtoull(arg + n, &end, 10);
    return end != arg + n && !*end;
}

}  // namespace

FuzzOptions& fuzzOptions()
{
    static FuzzOptions options;
    return options;
}

Fence& fence(int which)
{
    static Fence fences[4];
    return fences[which & 3];
}

void FuzzInput::note(const std::string& input) { currentInputs.push_back(input); }

long fuzzTarget(const char* name, long defaultInputs, Mutator& m, FuzzBody body)
{
    const long inputs = fuzzOptions().inputs >= 0 ? fuzzOptions().inputs : defaultInputs;
    const uint64_t seed = targetSeed(fuzzOptions().seed, name);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    kaErrorClear();
    int failures = 0;
    long i = 0;
    for (; i < inputs && failures < 3; ++i) {
        // The first input runs twice: whatever the library sets up once and keeps
        // (a table, a static record) is then in place before the counting starts.
        for (int pass = i == 0 ? 0 : 1; pass < 2; ++pass) {
            currentTarget = name;
            currentIndex = i;
            currentInputs.clear();
            m.startInput(seed, static_cast<uint64_t>(i));
            FuzzInput in(m);
            long before = kaGuardedOutstanding();
            body(in);
            kaErrorClear();
            long after = kaGuardedOutstanding();
            if (pass == 0) continue;
            if (after != before)
                in.fail("the library kept " + std::to_string(after - before) + " more heap blocks after the input");
            if (i % 4096 == 0 && _heapchk() != _HEAPOK) in.fail("the C runtime's heap is damaged");
            if (!in.problem.empty()) {
                std::string inputs;
                for (const std::string& s : currentInputs) inputs += "\n  input " + describe(s);
                ADD_FAILURE() << name << ", input #" << i << " of seed " << fuzzOptions().seed << ": " << in.problem
                              << inputs;
                ++failures;
            }
        }
    }
    currentTarget = nullptr;
    QueryPerformanceCounter(&end);
    rates.push_back({name, i, double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart)});
    return i;
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        unsigned long long value = 0;
        if (parseOption(argv[i], "--inputs=", value)) {
            fuzzOptions().inputs = static_cast<long>(value);
        } else if (parseOption(argv[i], "--seed=", value)) {
            fuzzOptions().seed = value;
        } else {
            fprintf(stderr, "test_fuzz: '%s' is not --inputs=N, --seed=S or a gtest option\n", argv[i]);
            return 2;
        }
    }
    AddVectoredExceptionHandler(1, reportFault);
    int status = RUN_ALL_TESTS();
    printRates();
    return status;
}
