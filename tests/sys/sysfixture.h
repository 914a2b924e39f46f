// Shared pieces of the system-layer tests: a fresh folder per test, removed with
// plain system calls (not with the code under test), and error-channel readers.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <atomic>
#include <string>
#include <thread>
#include <vector>
#include "ka.h"

std::string errorText();      // kaErrorGetMsg as std::string
std::string errorFullText();  // kaErrorGetMsgFull as std::string
std::string str(const cStringA& s);

void writeBytes(const std::string& path, const std::string& bytes);
std::string readBytes(const std::string& path);
bool exists(const std::string& path);
void removeTree(const std::string& path);

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The folder with a trailing backslash, then name.
    std::string at(const std::string& name) const { return root + name; }

    std::string root;
};

// Closes every message box this process shows while it lives, adding their texts
// to the list it was given; read the list once the closer is gone.
class BoxCloser {
public:
    explicit BoxCloser(std::vector<std::string>& texts);
    ~BoxCloser();

private:
    void run();
    std::atomic<bool> stop{false};
    std::vector<std::string>& seen;
    std::thread worker;
};
