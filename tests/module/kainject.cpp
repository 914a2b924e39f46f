// Loads a module into a running program, the way a module gets to share the
// program's state: a thread of the target process calls LoadLibraryA on it.
//   kainject PID PATH   prints the library's layout table as the library itself
//                       is compiled, then loads PATH into process PID
// Built with the library's own compile settings, never with KA_IMPORT.
#include <windows.h>
#include <psapi.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include "layout.h"

namespace {

void printLine(const char* text, void*) { printf("layout=%s\n", text); }

int fail(const char* what)
{
    fprintf(stderr, "kainject: %s (system error %lu)\n", what, GetLastError());
    return 1;
}

// An owner, so that no early return leaks a handle.
using Handle = std::unique_ptr<void, decltype(&CloseHandle)>;

// A block of the target process holding the module's name. It is a shared
// section that the target maps itself, written through our own view of it:
// under the 32-bit emulator the target's memory is read and written one page
// off by WriteProcessMemory and friends (the emulator keeps the guest's
// address 0 at the host's 0x1000, as the host refuses to map page 0).
class RemoteText {
public:
    RemoteText(HANDLE proc, const char* text) : process(proc)
    {
        SIZE_T size = strlen(text) + 1;
        section = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, DWORD(size), nullptr);
        if (!section) return;
        local = MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, size);
        if (!local) return;
        memcpy(local, text, size);
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        mapView = reinterpret_cast<MapView>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtMapViewOfSection")));
        unmapView = reinterpret_cast<UnmapView>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtUnmapViewOfSection")));
        if (!mapView || !unmapView) return;
        SIZE_T viewSize = 0;
        void* base = nullptr;
        const DWORD viewUnmap = 2;  // SECTION_INHERIT: not inherited by the target's children
        LONG status = mapView(section, process, &base, 0, 0, nullptr, &viewSize, viewUnmap, 0, PAGE_READONLY);
        if (status >= 0) remote = base;
        else SetLastError(status);
    }
    ~RemoteText()
    {
        if (remote) unmapView(process, remote);
        if (local) UnmapViewOfFile(local);
        if (section) CloseHandle(section);
    }
    RemoteText(const RemoteText&) = delete;
    RemoteText& operator=(const RemoteText&) = delete;

    void* remote = nullptr;

private:
    typedef LONG(NTAPI* MapView)(HANDLE, HANDLE, void**, ULONG_PTR, SIZE_T, LARGE_INTEGER*, SIZE_T*, DWORD, ULONG,
                                 ULONG);
    typedef LONG(NTAPI* UnmapView)(HANDLE, void*);
    HANDLE process;
    HANDLE section = nullptr;
    void* local = nullptr;
    MapView mapView = nullptr;
    UnmapView unmapView = nullptr;
};

const char* baseName(const char* path)
{
    const char* base = path + strlen(path);
    while (base > path && base[-1] != '\\' && base[-1] != '/') --base;
    return base;
}

// The target's module whose file name ends in name (case-insensitive), or null.
HMODULE remoteModule(HANDLE process, const char* name)
{
    HMODULE mods[1024];
    DWORD needed = 0;
    if (!K32EnumProcessModules(process, mods, sizeof mods, &needed)) return nullptr;
    DWORD n = needed / sizeof(HMODULE);
    if (n > 1024) n = 1024;
    size_t len = strlen(name);
    for (DWORD i = 0; i < n; ++i) {
        char path[MAX_PATH];
        DWORD got = K32GetModuleFileNameExA(process, mods[i], path, MAX_PATH);
        if (got >= len && _stricmp(path + got - len, name) == 0 &&
            (got == len || path[got - len - 1] == '\\' || path[got - len - 1] == '/'))
            return mods[i];
    }
    return nullptr;
}

// LoadLibraryA in the target: the same offset into the same system module (it
// may live in a module other than kernel32, a forwarder, so that one is looked
// up). Where the target's module list cannot be read (under the emulator, see
// RemoteText), the system modules sit where they sit here: Windows loads them
// at one address in every process of a width, and so does Wine.
void* remoteLoadLibrary(HANDLE process)
{
    FARPROC local = GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA");
    HMODULE owner = nullptr;
    if (!local || !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                          GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                      reinterpret_cast<LPCSTR>(local), &owner))
        return nullptr;
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(owner, path, MAX_PATH);
    if (!n || n >= MAX_PATH) return nullptr;
    if (HMODULE remote = remoteModule(process, baseName(path)))
        return reinterpret_cast<char*>(remote) + (reinterpret_cast<char*>(local) - reinterpret_cast<char*>(owner));
    return reinterpret_cast<void*>(local);
}

int inject(DWORD pid, const char* dll)
{
    Handle process(OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                   PROCESS_VM_READ,
                               FALSE, pid),
                   CloseHandle);
    if (!process) return fail("cannot open the target process");
    void* loader = remoteLoadLibrary(process.get());
    if (!loader) return fail("cannot find LoadLibraryA in the target process");
    RemoteText name(process.get(), dll);
    if (!name.remote) return fail("cannot map the module name into the target process");
    Handle thread(CreateRemoteThread(process.get(), nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(loader),
                                     name.remote, 0, nullptr),
                  CloseHandle);
    if (!thread) return fail("cannot start a thread in the target process");
    // Under emulation a 32-bit load takes seconds, not milliseconds.
    if (WaitForSingleObject(thread.get(), 180000) != WAIT_OBJECT_0) return fail("LoadLibraryA did not return in time");
    DWORD code = 0;
    GetExitCodeThread(thread.get(), &code);
    // The exit code is the module's address, of a 64-bit one only the low half:
    // 0 there leaves the target's module list to decide. The module is still
    // loaded then: its checks wait for the test to answer the box it shows.
    const char* file = baseName(dll);
    UINT_PTR loaded = code;
    if (!loaded && sizeof(void*) > sizeof code) loaded = reinterpret_cast<UINT_PTR>(remoteModule(process.get(), file));
    if (!loaded) {
        fprintf(stderr, "kainject: LoadLibraryA in process %lu did not load %s (a name the program does not export?)\n",
                pid, dll);
        return 1;
    }
    printf("loaded=%s\n", file);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    char* end = nullptr;
    unsigned long pid = argc == 3 ? strtoul(argv[1], &end, 0) : 0;
    if (!pid || *end) {
        fprintf(stderr, "usage: kainject PID PATH\n");
        return 2;
    }
    kaLayoutTable(printLine, nullptr);
    fflush(stdout);
    return inject(pid, argv[2]);
}
