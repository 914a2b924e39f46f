#include "fileencode.h"
#include <windows.h>
#include <climits>
#include <cstring>
#include "core/error.h"
#include "core/handle.h"
#include "core/memory.h"
#include "core/leadbyte.h"

namespace {

const int kSeedBytes = 8;

// The stage-1 byte k sits at the front for even k and at the back for odd k, both filled inwards.
int interleavedPos(int k, int total)
{
    return k % 2 == 0 ? k / 2 : total - 1 - (k - 1) / 2;
}

// Inverts one bit of each byte, walking upwards from the seed's low three bits; its own inverse.
// The low three bits are the seed modulo 8 for negative seeds too.
void flipBits(unsigned char* bytes, int count, __int64 seed)
{
    int bit = static_cast<int>(seed & 7);
    for (int i = 0; i < count; ++i) {
        bytes[i] ^= static_cast<unsigned char>(1u << bit);
        bit = (bit + 1) & 7;
    }
}

// The packed local time YYYYMMDDHHMMSSmmm, so that two encodings of one file differ.
__int64 localTimestamp()
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    __int64 date = t.wYear * 10000 + t.wMonth * 100 + t.wDay;
    __int64 time = t.wHour * 10000000LL + t.wMinute * 100000 + t.wSecond * 1000 + t.wMilliseconds;
    return date * 1000000000LL + time;
}

void failWithSystemText(const char* fallback, const char* path)
{
    kaErrorSetSystem(fallback);
    kaErrorSetFile(path);
}

// Reads the whole file into a block with 8 spare bytes at its end, for the seed.
unsigned char* readWithSpare(const char* path, int& count)
{
    UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        failWithSystemText("Cannot open the file.", path);
        return nullptr;
    }
    LARGE_INTEGER size;
    unsigned char* bytes = nullptr;
    if (!GetFileSizeEx(file.get(), &size)) {
        failWithSystemText("Failed to read.", path);
    } else if (size.QuadPart > INT_MAX - kSeedBytes) {
        kaErrorSetMsg("The file is too large to encode.");
        kaErrorSetFile(path);
    } else {
        count = static_cast<int>(size.QuadPart);
        bytes = static_cast<unsigned char*>(checkMemory(ka_malloc(count + kSeedBytes)));
        DWORD got = 0;
        if (bytes && count > 0 && (!ReadFile(file.get(), bytes, count, &got, nullptr) || got != DWORD(count))) {
            failWithSystemText("Failed to read.", path);
            ka_free(bytes);
            bytes = nullptr;
        }
    }
    return bytes;
}

// The folder part of a path, or "." for a bare name. The second byte of a two-byte
// character is never taken for a separator.
bool folderOf(const char* path, char (&folder)[MAX_PATH])
{
    int end = 0;
    for (int i = 0; path[i]; ++i) {
        if (kaCharWidth(path + i) == 2) ++i;
        else if (path[i] == '\\' || path[i] == '/' || path[i] == ':') end = i + 1;
    }
    if (end >= MAX_PATH) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    if (end == 0) folder[end++] = '.';
    else memcpy(folder, path, end);
    folder[end] = 0;
    return true;
}

// Writes the bytes to a fresh file beside the target and only then puts it in the target's place,
// so that a failure at any point leaves the original as it was.
bool replaceWith(const char* path, const unsigned char* bytes, int count)
{
    char folder[MAX_PATH];
    char temp[MAX_PATH];
    if (!folderOf(path, folder) || !GetTempFileNameA(folder, "enc", 0, temp)) {
        failWithSystemText("Can't create the file.", path);
        return false;
    }
    UniqueFile file(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        failWithSystemText("Can't create the file.", temp);
        DeleteFileA(temp);
        return false;
    }
    DWORD written = 0;
    bool complete = WriteFile(file.get(), bytes, count, &written, nullptr) && written == DWORD(count) &&
                    FlushFileBuffers(file.get());
    if (!complete) failWithSystemText("Failed to write.", temp);
    if (!file.close() && complete) {
        failWithSystemText("Can't close the file", temp);
        complete = false;
    }
    if (complete && !MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failWithSystemText("Can't replace the file.", path);
        complete = false;
    }
    if (!complete) DeleteFileA(temp);
    return complete;
}

}  // namespace

bool encodeFile(const char* path)
{
    if (!path || !*path) {
        kaErrorSetMsg("File name is not specified.");
        return false;
    }
    int count = 0;
    unsigned char* stage = readWithSpare(path, count);
    if (!stage) return false;
    int total = count + kSeedBytes;
    unsigned char* encoded = static_cast<unsigned char*>(checkMemory(ka_malloc(total)));
    bool done = false;
    if (encoded) {
        __int64 seed = localTimestamp();
        flipBits(stage, count, seed);
        for (int i = 0; i < kSeedBytes; ++i) stage[count + i] = static_cast<unsigned char>(seed >> (8 * i));
        for (int k = 0; k < total; ++k) encoded[interleavedPos(k, total)] = stage[k];
        done = replaceWith(path, encoded, total);
    }
    ka_free(encoded);
    ka_free(stage);
    return done;
}

void decodeFile(char* buffer, int length)
{
    if (!buffer || length <= 0) return;
    if (length < kSeedBytes) {
        buffer[0] = 0;
        return;
    }
    unsigned char* stage = static_cast<unsigned char*>(checkMemory(ka_malloc(length)));
    int count = length - kSeedBytes;
    if (stage) {
        for (int k = 0; k < length; ++k) stage[k] = static_cast<unsigned char>(buffer[interleavedPos(k, length)]);
        unsigned __int64 seed = 0;
        for (int i = kSeedBytes - 1; i >= 0; --i) seed = (seed << 8) | stage[count + i];
        flipBits(stage, count, static_cast<__int64>(seed));
        memcpy(buffer, stage, count);
        ka_free(stage);
    } else {
        count = 0;  // nothing decoded: an empty text rather than scrambled bytes
    }
    buffer[count] = 0;
}
