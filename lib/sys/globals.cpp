#include "globals.h"
#include "core/cstr.h"

namespace {

const int kNameField = 260;

struct AppGlobals {
    HINSTANCE instance = nullptr;
    HWND topWindow = nullptr;
    char name[kNameField] = {};
};

AppGlobals& globals()
{
    static AppGlobals g;
    return g;
}

}  // namespace

void kaInitialize(HINSTANCE instance, HWND topWindow, const char* appName)
{
    kaSetInstance(instance);
    kaSetAppTopWindow(topWindow);
    kaSetAppName(appName);
}

void kaSetInstance(HINSTANCE instance) { globals().instance = instance; }

void kaSetAppTopWindow(HWND topWindow) { globals().topWindow = topWindow; }

void kaSetAppName(const char* appName)
{
    char* field = globals().name;
    // Copied through a scratch field: appName may be the current name itself.
    char copy[kNameField];
    strCopyN(copy, appName, kNameField - 1);
    strRemoveInterim(copy, kNameField - 1);
    strCopy(field, copy);
}

HINSTANCE kaGetInstance() { return globals().instance; }

HWND QueryAppTopWindow() { return globals().topWindow; }

const char* QueryAppName() { return globals().name; }
