#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <random>
#include <string>
#include <vector>
#include "ka.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Decodes a copy with one spare byte, as a reader that adds its own terminator would.
Bytes decoded(const Bytes& encoded)
{
    Bytes buffer(encoded);
    buffer.push_back(0xEE);
    decodeFile(reinterpret_cast<char*>(buffer.data()), int(encoded.size()));
    return buffer;
}

// A fresh folder per test, removed with its files afterwards.
class EncodeFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        folder = std::string(base) + "kaenc" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        kaErrorClear();
    }
    void TearDown() override
    {
        for (const std::string& name : files()) DeleteFileA((folder + name).c_str());
        RemoveDirectoryA(folder.c_str());
    }

    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
        } while (FindNextFileA(find, &data));
        FindClose(find);
        return names;
    }

    std::string write(const char* name, const Bytes& bytes)
    {
        std::string path = folder + name;
        HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        if (!bytes.empty()) WriteFile(f, bytes.data(), DWORD(bytes.size()), &n, nullptr);
        CloseHandle(f);
        return path;
    }

    static Bytes read(const std::string& path)
    {
        Bytes bytes;
        HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) return bytes;
        bytes.resize(GetFileSize(f, nullptr));
        DWORD n = 0;
        if (!bytes.empty()) ReadFile(f, bytes.data(), DWORD(bytes.size()), &n, nullptr);
        CloseHandle(f);
        return bytes;
    }

    std::string folder;
};

// The seed of an encoded file: stage-1 bytes n..n+7, stored interleaved from both ends.
__int64 seedOf(const Bytes& encoded)
{
    int total = int(encoded.size());
    unsigned __int64 seed = 0;
    for (int k = total - 1; k >= total - 8; --k)
        seed = (seed << 8) | encoded[k % 2 == 0 ? k / 2 : total - 1 - (k - 1) / 2];
    return static_cast<__int64>(seed);
}

bool isPackedLocalNow(__int64 seed)
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    __int64 today = t.wYear * 10000 + t.wMonth * 100 + t.wDay;
    __int64 day = seed / 1000000000;
    return (day == today || day + 1 == today) && seed % 1000000000 < 240000000;
}

TEST(FileEncoding, DecodesAFixedVectorByteForByte)
{
    // "<kestrine/>" encoded with the seed 20240105130509250 (mod 8 = 2).
    Bytes encoded = {0x38, 0x75, 0x34, 0x68, 0x61, 0x2E, 0x43, 0xB4, 0xE8, 0x00,
                     0x47, 0x44, 0x85, 0xC2, 0x27, 0x6C, 0xF2, 0x53, 0x63};
    Bytes plain = decoded(encoded);
    const char expected[] = "<kestrine/>";
    ASSERT_EQ(0, memcmp(plain.data(), expected, sizeof expected));
    EXPECT_EQ(0xEE, plain[encoded.size()]) << "nothing written past the buffer";

    // "A" with a seed that is 0 mod 8: 0x40 first, the seed's low byte last.
    Bytes one = {0x40, 0x43, 0xB4, 0xE8, 0x00, 0x47, 0x44, 0x85, 0xC0};
    plain = decoded(one);
    EXPECT_EQ('A', plain[0]);
    EXPECT_EQ(0, plain[1]);
}

TEST(FileEncoding, ShortInputsGiveAnEmptyTextAndTouchNothingElse)
{
    for (int length = 0; length < 8; ++length) {
        SCOPED_TRACE(length);
        unsigned char buffer[16];
        memset(buffer, 0xAA, sizeof buffer);
        decodeFile(reinterpret_cast<char*>(buffer + 4), length);
        EXPECT_EQ(length ? 0 : 0xAA, buffer[4]);
        for (int i = 0; i < 16; ++i)
            if (i != 4) {
                EXPECT_EQ(0xAA, buffer[i]) << "byte " << i;
            }
    }
    decodeFile(nullptr, 20);
    decodeFile(nullptr, 0);
}

TEST_F(EncodeFolder, RoundTripsEmptyOneByteAndLargeFiles)
{
    std::mt19937 random(7);
    Bytes large(3 * 1024 * 1024 + 5);
    for (unsigned char& b : large) b = static_cast<unsigned char>(random());
    const Bytes cases[] = {{}, {'A'}, {0x00}, {0xB0, 0xA1}, large};
    int index = 0;
    for (const Bytes& plain : cases) {
        SCOPED_TRACE(index);
        std::string path = write(("f" + std::to_string(index++)).c_str(), plain);
        ASSERT_TRUE(encodeFile(path.c_str())) << kaErrorGetMsg().getPtr();
        Bytes encoded = read(path);
        ASSERT_EQ(plain.size() + 8, encoded.size());
        EXPECT_TRUE(isPackedLocalNow(seedOf(encoded))) << seedOf(encoded);
        Bytes back = decoded(encoded);
        EXPECT_TRUE(std::equal(plain.begin(), plain.end(), back.begin()));
        EXPECT_EQ(0, back[plain.size()]);
    }
    EXPECT_EQ(5u, files().size()) << "no temporary file left beside the originals";
}

TEST_F(EncodeFolder, EncodesWithTheDescribedLayout)
{
    Bytes plain = {'<', 'a', '/', '>', 0xC7, 0xD1, 0x0A, 'z', '!'};
    std::string path = write("layout.orp", plain);
    ASSERT_TRUE(encodeFile(path.c_str()));
    Bytes encoded = read(path);
    ASSERT_EQ(plain.size() + 8, encoded.size());
    __int64 seed = seedOf(encoded);
    int total = int(encoded.size());
    int bit = int(seed & 7);
    for (size_t k = 0; k < plain.size(); ++k, bit = (bit + 1) % 8) {
        size_t pos = k % 2 == 0 ? k / 2 : total - 1 - (k - 1) / 2;
        EXPECT_EQ(plain[k] ^ (1 << bit), encoded[pos]) << "stage-1 byte " << k;
    }

    // Encodings made at different milliseconds differ.
    std::string again = write("again.orp", plain);
    Sleep(20);
    ASSERT_TRUE(encodeFile(again.c_str()));
    EXPECT_NE(encoded, read(again));
}

TEST_F(EncodeFolder, FailureLeavesTheOriginalAsItWas)
{
    EXPECT_FALSE(encodeFile((folder + "missing.orp").c_str()));
    EXPECT_STRNE("", kaErrorGetMsg().getPtr());
    kaErrorClear();
    EXPECT_FALSE(encodeFile(nullptr));
    EXPECT_STREQ("File name is not specified.", kaErrorGetMsg().getPtr());

    // Readable but held open without delete sharing: the encoded copy cannot take its place.
    Bytes plain = {'k', 'e', 'e', 'p'};
    std::string path = write("held.orp", plain);
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    kaErrorClear();
    EXPECT_FALSE(encodeFile(path.c_str()));
    EXPECT_TRUE(kaErrorExist());
    CloseHandle(holder);
    EXPECT_EQ(plain, read(path));
    EXPECT_EQ(std::vector<std::string>{"held.orp"}, files()) << "the encoded copy was removed";
}

// Any bytes at all, of any length: the decoder stays inside its buffer and ends the text there.
TEST(FileEncoding, DecoderSurvivesMutatedInput)
{
    const Bytes seedVector = {0x38, 0x75, 0x34, 0x68, 0x61, 0x2E, 0x43, 0xB4, 0xE8, 0x00,
                              0x47, 0x44, 0x85, 0xC2, 0x27, 0x6C, 0xF2, 0x53, 0x63};
    const int kGuard = 16;
    std::mt19937 random(20240105);
    for (int round = 0; round < 100000; ++round) {
        Bytes input(seedVector);
        switch (random() % 4) {
        case 0: input.resize(random() % 24); break;
        case 1: input.resize(random() % 600); break;
        default: break;
        }
        for (int flips = random() % 6; flips > 0 && !input.empty(); --flips)
            input[random() % input.size()] = static_cast<unsigned char>(random());
        int length = int(input.size());
        Bytes buffer(kGuard + length + kGuard, 0x5A);
        std::copy(input.begin(), input.end(), buffer.begin() + kGuard);
        decodeFile(reinterpret_cast<char*>(buffer.data() + kGuard), length);
        for (int i = 0; i < kGuard; ++i) {
            if (buffer[i] != 0x5A || buffer[kGuard + length + i] != 0x5A) {
                FAIL() << "guard byte changed, round " << round << ", length " << length;
            }
        }
        if (length > 0 && buffer[kGuard + (length >= 8 ? length - 8 : 0)] != 0)
            FAIL() << "text not ended, round " << round << ", length " << length;
    }
}

}  // namespace
