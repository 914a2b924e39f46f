// Owners for the system handles the library and the launcher open; nothing here is
// exported, and no public class holds one (their layouts are fixed by the modules).
//
// Every handle kind is owned the same way, so that an early return can never leak
// one: the traits name the handle type, its invalid value and its close function.
#pragma once
#include <windows.h>
#include <wininet.h>

template <typename Traits>
class UniqueHandle {
public:
    typedef typename Traits::Type Type;

    UniqueHandle() : value(Traits::invalid()) {}
    explicit UniqueHandle(Type handle) : value(handle) {}
    ~UniqueHandle() { reset(); }

    // Two owners of one handle would close it twice.
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) : value(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other)
    {
        if (this != &other) reset(other.release());
        return *this;
    }

    Type get() const { return value; }
    explicit operator bool() const { return value != Traits::invalid(); }

    Type release()
    {
        Type kept = value;
        value = Traits::invalid();
        return kept;
    }

    void reset(Type handle = Traits::invalid()) { replace(handle); }

    // Closes now and tells whether the system's close succeeded (true when there was
    // nothing to close): a file's last write can fail only here.
    bool close() { return replace(Traits::invalid()); }

private:
    bool replace(Type handle)
    {
        Type old = value;
        value = handle;
        return old == Traits::invalid() || Traits::close(old);
    }

    Type value;
};

struct RegKeyTraits {
    typedef HKEY Type;
    static HKEY invalid() { return nullptr; }
    static bool close(HKEY key) { return RegCloseKey(key) == ERROR_SUCCESS; }
};

// What CreateFile answers on failure.
struct FileTraits {
    typedef HANDLE Type;
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static bool close(HANDLE file) { return CloseHandle(file) != 0; }
};

struct FindTraits {
    typedef HANDLE Type;
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static bool close(HANDLE find) { return FindClose(find) != 0; }
};

struct ModuleTraits {
    typedef HMODULE Type;
    static HMODULE invalid() { return nullptr; }
    static bool close(HMODULE module) { return FreeLibrary(module) != 0; }
};

struct InternetTraits {
    typedef HINTERNET Type;
    static HINTERNET invalid() { return nullptr; }
    static bool close(HINTERNET handle) { return InternetCloseHandle(handle) != 0; }
};

struct MemoryDcTraits {
    typedef HDC Type;
    static HDC invalid() { return nullptr; }
    static bool close(HDC dc) { return DeleteDC(dc) != 0; }
};

typedef UniqueHandle<RegKeyTraits> UniqueRegKey;
typedef UniqueHandle<FileTraits> UniqueFile;
typedef UniqueHandle<FindTraits> UniqueFind;
typedef UniqueHandle<ModuleTraits> UniqueModule;
typedef UniqueHandle<InternetTraits> UniqueInternet;
typedef UniqueHandle<MemoryDcTraits> UniqueMemoryDc;

// A context from GetDC or GetWindowDC: its release needs the window it came from,
// so it does not fit the traits above. A null window means the screen.
class WindowDc {
public:
    explicit WindowDc(HWND owner = nullptr) : WindowDc(owner, GetDC(owner)) {}
    WindowDc(HWND owner, HDC context) : window(owner), dc(context) {}
    ~WindowDc()
    {
        if (dc) ReleaseDC(window, dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc; }
    explicit operator bool() const { return dc != nullptr; }

private:
    HWND window;
    HDC dc;
};
