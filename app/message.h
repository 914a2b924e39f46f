// The launcher's own message boxes: caption "Orrel", one OK button.
#pragma once
#include <windows.h>

void showLauncherMessage(HWND owner, const char* text);
