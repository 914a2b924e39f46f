// Paths and URLs held in raw buffers. A destination holds MAX_PATH bytes; a path
// or result of MAX_PATH characters or more is refused rather than cut, so a name
// that does not fit never silently becomes a different, shorter name.
#pragma once
#include "core/kadefs.h"

KA_API bool kaIsFile(const char* path);
KA_API bool kaIsDir(const char* path);

// 0 relative, 1 drive or share, 2 http:, 3 mailto:, 4 ftp:, 5 news:, 6 pnm:, 7 mms:.
KA_API int serverArea(const char* text);

// part 0: drive, 1: folder, 2: drive and folder, 3: name without extension.
KA_API void kaSplitPath(char* dest, const char* path, unsigned short part);
KA_API void kaMakeFullName(char* dest, const char* name, const char* dir, const char* defExt);
KA_API void kaChangeExtension(char* dest, const char* src, const char* ext);
KA_API int kaHasNoDrvDir(const char* path);
