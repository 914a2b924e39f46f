#include <windows.h>
#include "framework/fwwinapp.h"

// The application object is a global of the launcher; the entry point only hands over.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    CWinApp* app = CWinApp::current();
    return app ? app->run(instance) : 0;
}
