// Whole-file and folder operations: folders made one at a time or as a chain,
// deletes of files and whole trees, renames, listings, a size-checked copy.
// Every operation reports through the error channel; none shows a message itself.
#pragma once
#include "core/arraystr.h"

// Library-internal (not exported): makes one folder; its parent must exist.
bool createFolder(const char* path);
// Library-internal: kaIsFile with the error channel stopped, so a missing file leaves no message.
bool existsQuietly(const char* name);

KA_API bool kaRemoveDirectory(const char* path);
KA_API bool kaDeleteFile(const char* name);
// Deletes with the error channel stopped: nothing is reported.
KA_API void _DeleteFile(const char* name);
// Deletes every file (not sub-folder) of a folder; the last failure stays pending.
KA_API void kaDeleteFileAll(const char* folder);
KA_API int kaRenameFile(const char* oldName, const char* newName);
KA_API void kaGetFileList(const char* folder, cArrayStr& out);
KA_API void kaGetFolderList(const char* folder, cArrayStr& out);
// Copies source to a destination that must not exist yet. On failure nothing is
// left under the destination name.
KA_API bool kaCopyFile(const char* destination, const char* source);
