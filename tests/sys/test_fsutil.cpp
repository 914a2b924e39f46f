#include <string>
#include "sysfixture.h"

namespace {

class FileSystem : public TempFolder {};

TEST_F(FileSystem, DeleteAllTakesEveryFileOfTheFolderAndNoFolder)
{
    CreateDirectoryA(at("d").c_str(), nullptr);
    CreateDirectoryA(at("d\\keep").c_str(), nullptr);
    // Names that look like addresses and URLs are files of this folder all the same.
    for (const char* n : {"a.txt", "me@host", "www.x.txt", "한글.txt"}) writeBytes(at("d\\") + n, "x");
    writeBytes(at("d\\keep\\inner.txt"), "x");
    writeBytes(at("me@host"), "outside");
    writeBytes(at("www.x.txt"), "outside");

    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    SetCurrentDirectoryA(root.c_str());
    kaDeleteFileAll(at("d").c_str());
    kaDeleteFileAll("");  // no folder is not the current folder
    SetCurrentDirectoryA(cwd);

    cArrayStr left;
    kaGetFileList(at("d").c_str(), left);
    EXPECT_EQ(left.count(), 0);
    EXPECT_TRUE(exists(at("d\\keep\\inner.txt")));
    EXPECT_EQ(readBytes(at("me@host")), "outside");
    EXPECT_EQ(readBytes(at("www.x.txt")), "outside");
}

TEST_F(FileSystem, CopiesCheckTheSizeAndLeaveNoHalfCopy)
{
    std::string data;
    for (int i = 0; i < 25000; ++i) data += static_cast<char>(i * 7);
    writeBytes(at("src.bin"), data);
    EXPECT_TRUE(kaCopyFile(at("dst.bin").c_str(), at("src.bin").c_str()));
    EXPECT_EQ(readBytes(at("dst.bin")), data);

    // An existing destination is never overwritten.
    writeBytes(at("taken.bin"), "mine");
    EXPECT_FALSE(kaCopyFile(at("taken.bin").c_str(), at("src.bin").c_str()));
    EXPECT_NE(errorFullText().find("Copy file"), std::string::npos);
    EXPECT_EQ(readBytes(at("taken.bin")), "mine");

    // A source whose length cannot be taken (a pipe) fails the size check after the
    // destination was made: the partial destination is removed.
    std::string pipe = "\\\\.\\pipe\\orrel-copy-" + std::to_string(GetCurrentProcessId());
    HANDLE server = CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 65536, 65536, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    std::thread feeder([&] {
        ConnectNamedPipe(server, nullptr);
        DWORD written;
        WriteFile(server, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
        FlushFileBuffers(server);
        CloseHandle(server);
    });
    {
        BoxCloser closer;  // the broken pipe at the end is a failed read, shown at once
        EXPECT_FALSE(kaCopyFile(at("half.bin").c_str(), pipe.c_str()));
    }
    feeder.join();
    EXPECT_EQ(errorText(), "Size of new file is different to the original.");
    EXPECT_NE(errorFullText().find("Copy file"), std::string::npos);
    EXPECT_FALSE(exists(at("half.bin")));
}

}  // namespace
