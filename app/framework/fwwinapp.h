// The application object: one per program, made as a global. The entry point hands it the
// instance; it takes its name from the program file and runs its initialisation, which does all
// the work of a dialog-based program.
#pragma once
#include <windows.h>
#include "ka.h"
#include "fwobject.h"

class CWnd;

class CWinApp : public CObject {
public:
    // Without a name the application is named after its program file.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    const char* className() const override { return "CWinApp"; }

    // The program's work. A program that returns FALSE ends when it returns.
    virtual BOOL InitInstance();

    // Fills instance, name and command line, then runs InitInstance; returns the exit code 0.
    // A dialog-based program works inside InitInstance and its modal loops, so there is no
    // message loop of the application's own after it.
    int run(HINSTANCE instance);

    // The application object of the process, or null before one is made.
    static CWinApp* current();

    HINSTANCE m_hInstance = nullptr;
    cStringA m_appName;
    // The text after the program name, leading blanks removed, nothing else changed.
    const char* m_lpCmdLine = "";
    // The window that owns dialogs opened without a parent; null when there is none.
    CWnd* m_pMainWnd = nullptr;
};

// The application name for a program file: its name without folder and extension.
cStringA appNameFromPath(const char* path);

// The part of a process command line after the program name (quoted or not) and the blanks
// that follow it.
const char* commandLineTail(const char* commandLine);
