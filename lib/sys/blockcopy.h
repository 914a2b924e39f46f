// Copying one open file into another, as the library's file copy and the launcher's
// project copy both do. Not exported: modules have kaCopyFile.
#pragma once

// The block that files are copied and downloads are written in.
const unsigned long kaBlockSize = 10240;

// Copies up to length bytes from in to out (handles as kaOpenFileRead and kaCreateFile
// give them) in blocks of kaBlockSize, stopping early at the end of in. The number of bytes
// copied, or -1 after a failed write (which kaWrite has shown).
__int64 kaCopyBlocks(void* in, void* out, __int64 length);
