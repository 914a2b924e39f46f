// The launcher's process-wide state: where its own program file lies and which
// viewer program the project pipeline chose. Start-up fills the program path and
// empties the viewer path; the project pipeline sets the viewer path; the launch
// reads it.
#pragma once
#include "sizes.h"

struct LauncherState {
    char programPath[kPathSize];
    char viewerProgramPath[264];
};

extern LauncherState theLauncher;

// Records the viewer program path; refuses (and leaves the old path) a path that
// does not fit its buffer.
bool setViewerProgramPath(const char* path);
