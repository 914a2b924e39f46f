// Shared pieces of the system-layer tests: a fresh folder per test and
// error-channel readers.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include "ka.h"
#include "../support/scratch.h"

inline std::string str(const cStringA& s) { return s.getPtr() ? s.getPtr() : ""; }
inline std::string errorText() { return str(kaErrorGetMsg()); }
inline std::string errorFullText() { return str(kaErrorGetMsgFull()); }

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override { kaErrorClear(); }
    void TearDown() override { kaErrorClear(); }
    // The folder with a trailing backslash, then name.
    std::string at(const std::string& name) const { return root + name; }

    ScratchFolder scratch;
    const std::string root = scratch.path();
};
