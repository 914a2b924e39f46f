// Keyless scrambling of whole files, so that a project file is not readable at a glance.
// It protects nothing: everything needed to reverse it travels in the encoded file.
//
// An encoded file of n plain bytes has n + 8 bytes: the plain bytes, each with one bit
// inverted (the bit walks upwards from seed mod 8, one step per byte), then the 64-bit seed
// (little-endian); those n + 8 bytes are interleaved from both ends inwards.
#pragma once
#include "core/kadefs.h"

// Rewrites the file in encoded form. The original stays untouched until the encoded copy beside
// it is complete. False, with the reason in the error channel, when the file cannot be read or
// the encoded copy cannot be written or put in its place.
KA_API bool encodeFile(const char* path);

// Decodes the length bytes of an encoded file in place: the n = length - 8 plain bytes end up at
// the start of the buffer, followed by a 0 byte, ready for use as a C string. Fewer than 8 bytes
// cannot hold an encoded file: they give an empty text and nothing outside them is touched.
KA_API void decodeFile(char* buffer, int length);
