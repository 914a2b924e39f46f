// Library-internal pieces shared by the path, file and folder code: the split of
// a path into drive, folder, name and extension, and bounded path buffers.
#pragma once
#include <windows.h>
#include "core/stringa.h"

const int kPathMax = MAX_PATH;
// Folder, name and extension of a split are each cut to this many bytes.
const int kPartMax = 255;

struct PathParts {
    char drive[kPathMax];
    char dir[kPathMax];
    char name[kPathMax];
    char ext[kPathMax];
    // A part was longer than kPartMax and was cut: joined back together, the parts
    // would name some other file, so nothing that opens or makes files may use them.
    bool cut;
};

// A text of at most kPathMax - 1 bytes, appended to piece by piece. Whatever
// would not fit marks it overflowed instead of being cut.
class PathText {
public:
    PathText();
    PathText& add(const char* s);
    PathText& add(const char* s, int n);
    PathText& add(char c);
    bool overflowed() const { return overflow; }
    int length() const { return len; }
    char* text() { return buf; }

private:
    char buf[kPathMax];
    int len;
    bool overflow;
};

// The length of the URL scheme the text begins with ("http:", "ftp:", "news:",
// "mailto:", "pnm:", "mms:", any case), or 0.
int schemeLength(const char* text);
bool beginsWithWww(const char* text);

bool pathFits(const char* path);
// Leaves the too-long message for name in the error channel; always false.
bool refuseLongPath(const char* name);
// Like refuseLongPath when path is too long; true when it fits (or is empty).
bool checkPathFits(const char* path);

bool isSeparator(char c);
bool isLeadByte(char c);
// Last byte of s that is in set, skipping over double-byte characters; null if none.
const char* findLastOf(const char* s, const char* set);
const char* findFirstOf(const char* s, const char* set);
// Copies src into a kPathMax buffer with every '/' turned into '\'; false when it does not fit.
bool copyDosPath(char* dst, const char* src);
void replaceChar(char* s, char from, char to);
// A copy of text with every from turned into to.
cStringA withChar(const char* text, char from, char to);
// Removes one trailing backslash.
void dropTrailingBackslash(char* s);

// Step one of the split only: no share rule and no question to the file system.
void splitRaw(const char* path, PathParts& parts);
// The full split: shares, and an existing folder taken whole as the folder.
void splitPath(const char* path, PathParts& parts);

void collapseDotDot(char* text);

// The find query behind kaIsFile and the size and time of a name: false, with
// "The system cannot find the file specified" and the path left in the error
// channel, when no entry is found.
bool findQuery(const char* path, WIN32_FIND_DATAA& entry);
