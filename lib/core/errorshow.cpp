#include "errorshow.h"
#include "error.h"
#include "sys/globals.h"
#include "sys/noti.h"

namespace {

// The channel offers no query for its mute flag. Muted, the pending text sits in
// the muted slot while the message slot stays empty, so the full text (message
// slot followed by its context lines) no longer begins with the pending text.
bool pendingIsMuted()
{
    cStringA pending = kaErrorGetMsg();
    cStringA full = kaErrorGetMsgFull();
    return strnCompare(full, pending, pending.length()) != 0;
}

// Notifies the top window and returns the owner the box will have.
HWND announce(HWND owner)
{
    if (!owner) owner = QueryAppTopWindow();
    cNoti noti;
    noti.sendTop(owner, KA_NOTI_ERRORSHOW);
    return owner;
}

void showBox(HWND owner, const char* text)
{
    MessageBeep(MB_ICONHAND);
    MessageBoxA(owner, text, QueryAppName(), MB_OK | MB_ICONHAND);
    if (owner) SetFocus(owner);
}

}  // namespace

void kaErrorShow(HWND owner)
{
    if (!kaErrorExist() || pendingIsMuted()) return;
    owner = announce(owner);
    showBox(owner, kaErrorGetMsgFull());
    kaErrorClear();
}
