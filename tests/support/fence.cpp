#include "fence.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const size_t kPage = 4096;

}  // namespace

Fence::~Fence()
{
    if (pages) VirtualFree(pages, 0, MEM_RELEASE);
}

void Fence::reserve(size_t n)
{
    if (n <= room) return;
    if (pages) VirtualFree(pages, 0, MEM_RELEASE);
    // Whole 64 KiB reservations, the system's granularity, less the fence page.
    size_t total = (n + kPage + 0xFFFF) & ~static_cast<size_t>(0xFFFF);
    pages = static_cast<char*>(VirtualAlloc(nullptr, total, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD was;
    if (!pages || !VirtualProtect(pages + total - kPage, kPage, PAGE_NOACCESS, &was)) {
        fprintf(stderr, "fence: cannot set up %zu bytes before a no-access page (error %lu)\n", n, GetLastError());
        abort();
    }
    room = total - kPage;
}

char* Fence::place(const void* data, size_t n)
{
    reserve(n + kGuard);
    placed = pages + room - n;
    memcpy(placed, data, n);
    copy.assign(placed, n);
    return placed;
}

const char* Fence::text(const std::string& s) { return place(s.c_str(), s.size() + 1); }

char* Fence::bytes(const std::string& s) { return place(s.data(), s.size()); }

const unsigned short* Fence::wide(const std::u16string& s)
{
    return reinterpret_cast<const unsigned short*>(place(s.c_str(), (s.size() + 1) * sizeof(char16_t)));
}

char* Fence::output(size_t size)
{
    std::string block(kGuard, static_cast<char>(kGuardByte));
    block.append(size, static_cast<char>(kFill));
    return place(block.data(), block.size()) + kGuard;
}

bool Fence::unchanged() const { return placed && memcmp(placed, copy.data(), copy.size()) == 0; }

bool Fence::frontIntact() const { return placed && memcmp(placed, copy.data(), kGuard) == 0; }
