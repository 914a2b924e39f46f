// Helpers over NUL-terminated 8-bit texts. Unlike the C library's own functions,
// a null pointer is read as the empty text, white space is every byte from 1 to 32,
// and a byte of 0x80 or above starts a two-byte character.
#pragma once
#include <cstddef>
#include "kadefs.h"

KA_API int strCompare(const char* a, const char* b);
KA_API int strCompareNoCase(const char* a, const char* b);
KA_API bool strIsEqual(const char* a, const char* b);
KA_API bool strIsEqualNoCase(const char* a, const char* b);
KA_API int strnCompare(const char* a, const char* b, int n);
KA_API int strnCompareNoCase(const char* a, const char* b, int n);

// Null for a null or empty text or when memory is short; release with ka_free.
KA_API char* strDuplicate(const char* s);
KA_API char* strCopy(char* dst, const char* src);
// dst must hold n + 1 bytes when n >= 0.
KA_API char* strCopyN(char* dst, const char* src, int n);
KA_API char* strCat(char* dst, const char* src);
KA_API int strLen(const char* s);

KA_API const char* strSkipWhite(const char* s);
KA_API void strTrimLeft(char* s);
KA_API void strTrimRight(char* s);
KA_API bool kaIsWhiteChar(char c);
KA_API bool kaIsWhiteString(char* s);

// Turns a fixed field of n bytes (s holds n + 1) into a clean text; returns its length.
KA_API int strNullPad(char* s, int n);
// Cuts a double-byte character left unfinished at the end; returns the usable length.
KA_API int strRemoveInterim(char* s, int n);

// index < 0 searches from the start; index >= 0 only asks whether find stands there.
KA_API int strSearch(const char* s, const char* find, int index);
KA_API int strSearchIgnoreCase(const char* s, const char* find, int index);

KA_API int strInt(const char* s, bool* percent);
KA_API __int64 strBigInt(const char* s);
KA_API double strDouble(const char* s);
KA_API float strFloat(const char* s);

KA_API int isDigit(char c);
KA_API int isAlpha(char c);
KA_API int isAlnum(char c);
