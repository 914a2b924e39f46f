// Shared pieces of the launcher's in-process tests.
#pragma once
#include <string>
#include "ka.h"
#include "../support/scratch.h"

// A string's text, empty for the empty string (whose pointer is null).
inline std::string text(const cStringA& s) { return s.hasContent() ? s.getPtr() : ""; }
