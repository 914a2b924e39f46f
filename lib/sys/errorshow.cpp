#include "errorshow.h"
#include "core/error.h"
#include "core/errorstate.h"
#include "globals.h"
#include "noti.h"

namespace {

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
    if (!kaErrorExist() || kaErrorChannelMuted()) return;
    owner = announce(owner);
    showBox(owner, kaErrorGetMsgFull());
    kaErrorClear();
}

cError::cError() {}

cError::cError(const cError& other) : cBase(), messages(other.messages) {}

cError& cError::operator=(const cError& other)
{
    messages = other.messages;
    return *this;
}

cError::~cError() {}

void cError::addMsg(const char* text) { messages.append(text); }

void cError::clear() { messages.removeAll(); }

void cError::getMsg(cArrayStr& out) const { out = messages; }

void cError::show(HWND owner)
{
    cStringA text;
    for (int i = messages.count() - 1; i >= 0; --i) {
        text << messages[i];
        if (i > 0) text << "\r\n";
    }
    if (text.isBlank()) return;
    showBox(announce(owner), text);
}
