// Puts errors in front of the user: the pending message of the error channel,
// or a list of messages that a caller collected itself. Both tell the
// application's top window first (notification 602), then show a message box
// owned by the given window, or by the top window when none is given.
#pragma once
#include <windows.h>
#include "core/arraystr.h"
#include "core/stringa.h"

// Shows the pending, unmuted message of the channel and clears the channel.
KA_API void kaErrorShow(HWND owner);

#pragma pack(push, 1)

// Messages a caller collects itself, shown newest first, one per line.
class KA_API cError : public cBase {
public:
    cError();
    cError(const cError& other);
    cError& operator=(const cError& other);
    ~cError();

    // A null or empty text is kept as a null entry.
    void addMsg(const char* text);
    void clear();
    void getMsg(cArrayStr& out) const;
    // Shows nothing when the joined text is empty; the list is kept.
    void show(HWND owner);

private:
    cArrayStr messages;
};

#pragma pack(pop)
