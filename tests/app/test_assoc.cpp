#include <gtest/gtest.h>
#include <string>
#include "assoc.h"
#include "regsandbox.h"

namespace {

const char kUserClasses[] = "Software\\Classes\\";
const char kTestExtension[] = ".orptest";
const char kTestProgId[] = "OrrelTest.prog";

// A registration of the test extension under one root of classes.
void registerTest(HKEY root, const char* prefix, const char* command)
{
    std::string base = prefix;
    storeText(root, (base + kTestExtension).c_str(), "", kTestProgId);
    if (command) storeText(root, (base + kTestProgId + "\\shell\\open\\command").c_str(), "", command);
}

void forgetTest()
{
    for (const char* key : {kTestExtension, kTestProgId}) {
        RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(kUserClasses) + key).c_str());
        RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
    }
}

TEST(FileAssociation, TheUsersClassesComeBeforeTheMachines)
{
    forgetTest();
    registerTest(HKEY_CLASSES_ROOT, "", "C:\\Machine\\m.exe %1");
    EXPECT_EQ(text(getApplicationPath(kTestExtension)), "C:\\Machine\\m.exe");
    registerTest(HKEY_CURRENT_USER, kUserClasses, "C:\\User\\u.exe %1");
    EXPECT_EQ(text(getApplicationPath(kTestExtension)), "C:\\User\\u.exe");
    forgetTest();
}

}  // namespace
