// Everything a module that links against the program needs.
#pragma once
#include "core/kadefs.h"
#include "core/memory.h"
#include "core/cstr.h"
#include "core/stringa.h"
#include "core/error.h"
#include "core/textout.h"
#include "core/controls.h"
#include "data/token.h"
#include "data/parser.h"
#include "data/xml.h"
