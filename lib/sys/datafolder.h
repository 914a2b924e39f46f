// Where the per-user data tree lives, and the process-wide record of its folders.
// The launcher records each folder once at start-up; the library only reads them.
#pragma once
#include "core/stringa.h"

// The application-data root with a trailing backslash; on false root is emptied.
KA_API bool getAppDataRoot(cStringA& root);
// Library-internal (not exported): the root as found on a system of that major
// version, so that both ways of finding it can be exercised on one system.
bool getAppDataRootFor(int majorVersion, cStringA& root);

// The recorded folders, each with a trailing backslash, or empty before they are made.
KA_API const char* getTempFolder();
KA_API const char* getCacheFolder();
KA_API const char* getViewerFolder();

// Recording: a path of MAX_PATH characters or more is refused, which leaves the field
// empty and gives false.
KA_API bool setTempFolder(const char* path);
KA_API bool setCacheFolder(const char* path);
KA_API bool setCacheTablePath(const char* path);
KA_API bool setShortcutFolder(const char* path);
KA_API bool setExtensionsFolder(const char* path);
KA_API bool setViewerFolder(const char* path);
