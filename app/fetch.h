// Bringing a file onto the machine: a project file copied from a path or
// downloaded over HTTP, and what every download shares: the words for a
// failed transfer, the check that a program library is one, and files that
// are created under a name nobody else holds.
#pragma once
#include <windows.h>
#include "ka.h"
#include "transfer.h"

// Remote means "http:" at the start, in any case; everything else is a path.
bool isLocalLocation(const char* location);

// Both show their own message (no owner) when they fail.
bool copyProjectFile(const char* dest, const char* src);
bool downloadProjectFile(const char* dest, const char* url);

// What the user is told when a transfer of url ended as outcome says.
cStringA transferMessage(const TransferOutcome& outcome, const char* url);
// The message for a file that could not be written, with the reason: the
// system's for systemError, else the error channel's pending one.
cStringA unwritableMessage(const char* path, DWORD systemError = 0);

// A library or program must be a Windows image ("MZ", and at the offset
// stored at 0x3C, "PE\0\0"); entries that name one end in .dll or .exe.
bool namesProgramImage(const char* entry);
bool isWindowsImage(HANDLE file);

// Creates a new file "<number><ext>" in folder, the number taken from the tick
// count and raised past any name that exists: an existing file is never taken
// over. The error channel says why when it fails.
bool createUniqueFile(cFile& file, cFileName& name, const char* folder, const char* ext);

// The side files of downloads in folder that no running download holds open.
void deleteStaleSideFiles(const char* folder);
extern const char* const kSideExtension;
