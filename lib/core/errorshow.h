// Puts errors in front of the user: the pending message of the error channel,
// or a list of messages that a caller collected itself. Both tell the
// application's top window first (notification 602), then show a message box
// owned by the given window, or by the top window when none is given.
#pragma once
#include <windows.h>
#include "stringa.h"

// Shows the pending, unmuted message of the channel and clears the channel.
KA_API void kaErrorShow(HWND owner);
