// Scale: the cache removal over many files and the string and tag arrays with
// many entries, each beside the bare floor for the same work. Prints:
//   scale <case> <count> <library ms> <floor ms>
#include <windows.h>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>
#include <algorithm>
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

void report(const char* what, int count, double library, double floor)
{
    printf("scale %s %d %.3f %.3f\n", what, count, library, floor);
    fflush(stdout);
}

void deleteCaches(int count)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "orrel-scale";
    fill(folder, count);
    double library = timeOf([&] { kaDeleteFileAll((folder + "\\").c_str()); });
    fill(folder, count);
    double floor = timeOf([&] { deleteBare(folder); });
    RemoveDirectoryA(folder.c_str());
    report("delete-caches", count, library, floor);
}

void strings(int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back("entry " + std::to_string(i));
    double library = timeOf([&] {
        cArrayStr a;
        for (const std::string& n : names) a.append(n.c_str());
        a.find(names.back().c_str());
    });
    double floor = timeOf([&] {
        std::vector<std::string> v;
        for (const std::string& n : names) v.push_back(n);
        volatile bool found = std::find(v.begin(), v.end(), names.back()) != v.end();
        (void)found;
    });
    report("array-str", count, library, floor);
}

void tags(int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back("key" + std::to_string(i));
    double library = timeOf([&] {
        cArrayTag t;
        for (int i = 0; i < count; ++i) t.set(names[i].c_str(), names[i].c_str(), i);
        for (const std::string& n : names) t.find(n.c_str());
    });
    double floor = timeOf([&] {
        std::unordered_map<std::string, std::pair<std::string, long long>> m;
        for (int i = 0; i < count; ++i) m[names[i]] = {names[i], i};
        for (const std::string& n : names) m.find(n);
    });
    report("array-tag", count, library, floor);
}

}  // namespace

int main()
{
    for (int count : {1000, 10000}) deleteCaches(count);
    for (int count : {10000, 100000}) {
        strings(count);
        tags(count);
    }
    return 0;
}
