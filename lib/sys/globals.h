// Application globals: the module instance, the application's top window (owner
// of message boxes, receiver of top-window notifications) and the application
// name (caption of message boxes). Empty until the application registers them.
#pragma once
#include <windows.h>
#include "core/kadefs.h"

KA_API void kaInitialize(HINSTANCE instance, HWND topWindow, const char* appName);
KA_API void kaSetInstance(HINSTANCE instance);
KA_API void kaSetAppTopWindow(HWND topWindow);
// Names longer than 259 bytes are cut, never inside a double-byte character.
KA_API void kaSetAppName(const char* appName);
KA_API HINSTANCE kaGetInstance();
KA_API HWND QueryAppTopWindow();
// Never null: the empty text before a name is registered.
KA_API const char* QueryAppName();
