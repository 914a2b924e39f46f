#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <random>
#include <string>
#include <vector>
#include "ka.h"
#include "../support/scratch.h"

namespace {

using Bytes = std::vector<unsigned char>;

// "<kestrine/>" encoded with the seed 20240105130509250 (mod 8 = 2).
const Bytes kKestrine = {0x38, 0x75, 0x34, 0x68, 0x61, 0x2E, 0x43, 0xB4, 0xE8, 0x00,
                         0x47, 0x44, 0x85, 0xC2, 0x27, 0x6C, 0xF2, 0x53, 0x63};

// Decodes a copy with one spare byte, as a reader that adds its own terminator would.
Bytes decoded(const Bytes& encoded)
{
    Bytes buffer(encoded);
    buffer.push_back(0xEE);
    decodeFile(reinterpret_cast<char*>(buffer.data()), int(encoded.size()));
    return buffer;
}

// A fresh folder per test.
class EncodeFolder : public ::testing::Test {
protected:
    void SetUp() override { kaErrorClear(); }
    std::vector<std::string> files() const
    {
        cArrayStr list;
        kaGetFileList(dir.path().c_str(), list);
        std::vector<std::string> names;
        for (int i = 0; i < list.count(); ++i) names.push_back(list[i]);
        return names;
    }
    std::string write(const char* name, const Bytes& bytes)
    {
        dir.write(name, std::string(bytes.begin(), bytes.end()));
        return dir.file(name);
    }
    static Bytes read(const std::string& path)
    {
        std::string s = readBytes(path);
        return Bytes(s.begin(), s.end());
    }

    ScratchFolder dir;
};

TEST(FileEncoding, DecodesAFixedVectorByteForByte)
{
    Bytes plain = decoded(kKestrine);
    const char expected[] = "<kestrine/>";
    ASSERT_EQ(0, memcmp(plain.data(), expected, sizeof expected));
    EXPECT_EQ(0xEE, plain[kKestrine.size()]) << "nothing written past the buffer";

    // "A" with a seed that is 0 mod 8: 0x40 first, the seed's low byte last.
    Bytes one = {0x40, 0x43, 0xB4, 0xE8, 0x00, 0x47, 0x44, 0x85, 0xC0};
    plain = decoded(one);
    EXPECT_EQ('A', plain[0]);
    EXPECT_EQ(0, plain[1]);
}

TEST(FileEncoding, ShortInputsGiveAnEmptyTextAndTouchNothingElse)
{
    for (int length = 0; length < 8; ++length) {
        Bytes buffer(16, 0xAA), expected(buffer);
        if (length) expected[4] = 0;
        decodeFile(reinterpret_cast<char*>(buffer.data() + 4), length);
        EXPECT_EQ(expected, buffer) << length;
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
        Bytes back = decoded(encoded);
        EXPECT_TRUE(std::equal(plain.begin(), plain.end(), back.begin()));
        EXPECT_EQ(0, back[plain.size()]);
    }
    EXPECT_EQ(5u, files().size()) << "no temporary file left beside the originals";
}

TEST_F(EncodeFolder, FailureLeavesTheOriginalAsItWas)
{
    EXPECT_FALSE(encodeFile(dir.file("missing.orp").c_str()));
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

}  // namespace
