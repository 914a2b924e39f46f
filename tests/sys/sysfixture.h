// Shared pieces of the system-layer tests: a fresh folder per test, removed with
// plain system calls (not with the code under test), and error-channel readers.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <atomic>
#include <mutex>
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
bool isFolder(const std::string& path);
void removeTree(const std::string& path);
// Where Wine differs from Windows the tests say so and check Wine's behaviour.
bool runningOnWine();

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The folder with a trailing backslash, then name.
    std::string at(const std::string& name) const { return root + name; }

    std::string root;
};

// Closes every message box this process shows while it lives, keeping their texts.
class BoxCloser {
public:
    BoxCloser();
    ~BoxCloser();
    std::vector<std::string> texts();

private:
    void run();
    std::atomic<bool> stop{false};
    std::mutex lock;
    std::vector<std::string> seen;
    std::thread worker;
};
