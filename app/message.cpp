#include "message.h"

void showLauncherMessage(HWND owner, const char* text)
{
    MessageBoxA(owner, text, "Orrel", MB_OK);
}
