// Texts are code page 949: a byte of 0x80 or above starts a two-byte character, and
// its second byte is never read as a letter or a separator of its own. The library's
// walks use this one test rather than the system's, so that a text reads the same on a
// machine whose code page is another.
#pragma once

inline bool kaIsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// 2 for a lead byte with a partner, else 1: a lead byte cut off by the end stands alone.
inline int kaCharWidth(const char* p) { return kaIsLeadByte(p[0]) && p[1] ? 2 : 1; }
