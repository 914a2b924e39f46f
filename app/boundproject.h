// The bound project slot: a project URL carried in the program file itself, so
// that a copy of the program can open one project without a command line.
#pragma once

// The slot's text: a URL, or "-" characters when no project is bound.
const char* boundProject();
