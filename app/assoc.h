// The ".orp" file association. The main dialog registers the launcher for it
// (CLauncherDlg::registerFileType, defined in assoc.cpp) each time it opens.
//
// The registration goes to the current user's classes (HKEY_CURRENT_USER\Software\Classes):
// an ordinary user cannot write the machine-wide classes, and Windows shows the
// user's classes merged into HKEY_CLASSES_ROOT. Wine does not merge them, so the
// lookup reads the user's classes first and HKEY_CLASSES_ROOT after.
#pragma once
#include "ka.h"

extern const char kProjectExtension[];   // ".orp"
extern const char kProjectProgId[];      // "Kestrine.orp"

// The program registered to open files with this extension (such as ".orp"),
// or an empty string.
cStringA getApplicationPath(const char* extension);

// The command a double-click on a project runs: the program path in quotes and an unquoted %1.
cStringA openCommand(const char* programPath);
