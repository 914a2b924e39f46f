// Starting the viewer (and any other document) through the shell.
#pragma once
#include "ka.h"

// first + ";" + location, then "?" + extra when there is any.
cStringA viewerParameters(const char* first, const char* location, const char* extra);

// True when the shell reports that it started file; parameters may be null.
bool launchDocument(const char* file, const char* parameters);
