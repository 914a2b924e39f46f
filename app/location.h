// Project locations as the user gives them: on the command line, in the bound
// project slot or typed into the main dialog, as "location?extra arguments".
#pragma once
#include <windows.h>
#include "ka.h"
#include "sizes.h"

typedef char LocationBuffer[kLocationSize];

// Splits entry at "?": the location before the first, the extra arguments
// between the first and the second; text after a second "?" is dropped.
// Double quotes around the entry or around the location are removed. False,
// after telling the user (message box owned by owner), when the location does
// not fit.
bool splitLocation(HWND owner, const char* entry, LocationBuffer& location, cStringA& extra);

// Start-up's choice: a bound project URL wins, and the whole command line becomes
// its extra arguments; otherwise the command line is split. bound is the slot's
// text ("-..." for none).
bool chooseLocation(const char* bound, const char* commandLine, LocationBuffer& location, cStringA& extra);

// A location without a folder part names a file beside the launcher: it becomes
// that name in the folder of programPath. False, after telling the user, when the
// full path would not fit.
bool resolveBareName(LocationBuffer& location, const char* programPath);

// "www.host/..." (any case) gets "http://" in front.
cStringA withWebScheme(const char* text);

// Starts the viewer that openProject chose on the project: first library + ";"
// + location (+ "?" + extra). Tells the user when the project named no viewer.
void startViewer(HWND owner, const char* first, const char* location, const char* extra);

// The whole road of a project: openProject, then startViewer. False when the
// project could not be opened (the pipeline has told the user why).
bool openAndStart(HWND owner, const char* location, const char* extra);
