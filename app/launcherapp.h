// The launcher application: all of its work happens in InitInstance, which
// opens the project named by the bound slot or the command line and starts its
// viewer, or shows the main dialog; the program ends when it returns.
#pragma once
#include "framework/fwwinapp.h"

class CLauncherApp : public CWinApp {
public:
    const char* className() const override { return "CLauncherApp"; }

    // Always FALSE: there is no message loop after it.
    BOOL InitInstance() override;
};
