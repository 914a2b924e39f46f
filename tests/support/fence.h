// Memory that ends where a function must stop: the last byte placed is the last
// byte before a page that cannot be touched, so reading or writing one byte too
// far faults at once, where guard bytes would only be noticed afterwards, and a
// read past the end not at all. The pages are taken once and reused for every
// input; a longer input takes larger pages.
#pragma once
#include <cstddef>
#include <string>

class Fence {
public:
    Fence() = default;
    ~Fence();
    // Owns its pages.
    Fence(const Fence&) = delete;
    Fence& operator=(const Fence&) = delete;

    // The text with its terminator as the last byte before the fence.
    const char* text(const std::string& s);
    // The bytes alone, for a function that takes a length: the last of them
    // stands before the fence. Writable, for functions that work in place.
    char* bytes(const std::string& s);
    // A wide text with its terminating 0 unit before the fence.
    const unsigned short* wide(const std::u16string& s);
    // An output buffer of size bytes ending at the fence, filled with kFill, with
    // kGuard guard bytes in front of it.
    char* output(size_t size);

    // Whether the bytes placed last are as they were placed: a function that
    // reads a const text did not write through it.
    bool unchanged() const;
    // Whether the guard bytes in front of the last output buffer are intact.
    bool frontIntact() const;

    static const size_t kGuard = 32;
    static const unsigned char kGuardByte = 0xA5;
    static const unsigned char kFill = 0x5A;

private:
    char* place(const void* data, size_t n);
    void reserve(size_t n);

    char* pages = nullptr;  // committed pages, then the fence page
    size_t room = 0;        // bytes before the fence
    char* placed = nullptr;
    std::string copy;
};
