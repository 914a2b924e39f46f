// Scale: the cache removal over many files and the string and tag arrays with
// many entries, each beside the bare floor for the same work. Prints:
//   scale <case> <count> <library ms> <floor ms>
// One run measures each case once; bench/run.py runs it several times, passing
// the run's number. An odd number measures the floor first, so that neither side
// always meets the heap or the disk as the other left it.
#include <windows.h>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>
#include <algorithm>
#include <cstdlib>
#include "ka.h"

namespace {

double nowMs()
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

template <typename Work>
double timeOf(Work work)
{
    double start = nowMs();
    work();
    return nowMs() - start;
}

bool floorFirst = false;

// Both sides (each a function giving its time) in this run's order.
template <typename Library, typename Floor>
void measure(const char* what, int count, Library library, Floor floor)
{
    double floorMs = floorFirst ? floor() : 0;
    double libraryMs = library();
    if (!floorFirst) floorMs = floor();
    printf("scale %s %d %.3f %.3f\n", what, count, libraryMs, floorMs);
    fflush(stdout);
}

std::string itemName(const std::string& folder, int i) { return folder + "\\f" + std::to_string(i) + ".dat"; }

void fill(const std::string& folder, int count)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        HANDLE h = CreateFileA(itemName(folder, i).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(h);
    }
}

// The floor: one find loop deleting what it lists.
void deleteBare(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((folder + "\\" + data.cFileName).c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

void deleteCaches(int count)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "orrel-scale";
    std::string withSeparator = folder + "\\";
    measure(
        "delete-caches", count,
        [&] {
            fill(folder, count);
            return timeOf([&] { kaDeleteFileAll(withSeparator.c_str()); });
        },
        [&] {
            fill(folder, count);
            return timeOf([&] { deleteBare(folder); });
        });
    RemoveDirectoryA(folder.c_str());
}

// One untimed round of each side first: the first to run would otherwise pay
// for growing the process heap that the second then finds ready.
template <typename Library, typename Floor>
void warmUp(Library library, Floor floor)
{
    library();
    floor();
}

void strings(int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back("entry " + std::to_string(i));
    auto library = [&] {
        cArrayStr a;
        for (const std::string& n : names) a.append(n.c_str());
        volatile int found = a.find(names.back().c_str());
        (void)found;
    };
    auto floor = [&] {
        std::vector<std::string> v;
        for (const std::string& n : names) v.push_back(n);
        volatile bool found = std::find(v.begin(), v.end(), names.back()) != v.end();
        (void)found;
    };
    warmUp(library, floor);
    measure("array-str", count, [&] { return timeOf(library); }, [&] { return timeOf(floor); });
}

void tags(int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back("key" + std::to_string(i));
    // Each side sums what its lookups find, so that none of them can be left out.
    auto library = [&] {
        cArrayTag t;
        for (int i = 0; i < count; ++i) t.set(names[i].c_str(), names[i].c_str(), i);
        long long sum = 0;
        for (const std::string& n : names) sum += t.getValue(t.find(n.c_str()));
        volatile long long seen = sum;
        (void)seen;
    };
    auto floor = [&] {
        std::unordered_map<std::string, std::pair<std::string, long long>> m;
        for (int i = 0; i < count; ++i) m[names[i]] = {names[i], i};
        long long sum = 0;
        for (const std::string& n : names) sum += m.find(n)->second.second;
        volatile long long seen = sum;
        (void)seen;
    };
    warmUp(library, floor);
    measure("array-tag", count, [&] { return timeOf(library); }, [&] { return timeOf(floor); });
}

}  // namespace

int main(int argc, char** argv)
{
    floorFirst = argc > 1 && atoi(argv[1]) % 2 == 1;
    for (int count : {1000, 10000}) deleteCaches(count);
    for (int count : {10000, 100000}) {
        strings(count);
        tags(count);
    }
    return 0;
}
