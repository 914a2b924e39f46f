// The file decoder on any bytes of any length: it stays inside its buffer (the
// last byte stands before the fence) and ends the text there.
#include "data/fileencode.h"
#include "fuzz.h"

namespace {

MutationSpace encodedSpace()
{
    MutationSpace s;
    // "<kestrine/>" encoded with the seed 20240105130509250.
    const unsigned char kestrine[] = {0x38, 0x75, 0x34, 0x68, 0x61, 0x2E, 0x43, 0xB4, 0xE8, 0x00,
                                      0x47, 0x44, 0x85, 0xC2, 0x27, 0x6C, 0xF2, 0x53, 0x63};
    s.seeds = {std::string(reinterpret_cast<const char*>(kestrine), sizeof kestrine), std::string(8, '\0'), ""};
    s.pieces = {std::string(1, '\0'), "\xFF", "\x80", "<", std::string(8, '\xFF')};
    s.maxLength = 1024;
    s.nul = true;
    return s;
}

void decode(FuzzInput& in)
{
    std::string input = in.random.next();
    in.note(input);
    char* buffer = fence(0).bytes(input);
    int length = static_cast<int>(input.size());
    decodeFile(buffer, length);
    if (length > 0)
        in.check(buffer[length >= 8 ? length - 8 : 0] == 0, "text not ended, length " + std::to_string(length));
}

TEST(Robustness, FileDecoder)
{
    Mutator m(encodedSpace());
    fuzzTarget("file decoder", 250000, m, decode);
}

}  // namespace
