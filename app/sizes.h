// The launcher's fixed text sizes, terminator included. A location or a path that
// does not fit is refused with a message, never cut.
#pragma once

// A project location (an address or a file) as the command line, the main dialog and
// the recent list give it.
const int kLocationSize = 260;
// A file path the launcher builds: its own program, its folders, the libraries.
const int kPathSize = 260;
