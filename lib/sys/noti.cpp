#include "noti.h"
#include "globals.h"

cNoti::cNoti()
    : source(nullptr), data(0), key(0), x(0), y(0), rect(), comment(nullptr), posted(0), data2(0)
{
}

cNoti::cNoti(const cNoti& other) : cBase()
{
    *this = other;
    posted = 0;
}

cNoti& cNoti::operator=(const cNoti& other) = default;

LRESULT cNoti::send(HWND wnd, unsigned short code)
{
    if (!wnd) return 0;
    if (!source) source = wnd;
    HWND parent = GetParent(wnd);
    return parent ? SendMessageA(parent, KA_WM_NOTIFY, code, reinterpret_cast<LPARAM>(this)) : 0;
}

void cNoti::post(HWND wnd, unsigned short code)
{
    HWND parent = wnd ? GetParent(wnd) : nullptr;
    if (!parent) return;
    if (!source) source = wnd;
    postCopy(parent, code);
}

LRESULT cNoti::sendTop(HWND wnd, unsigned short code)
{
    source = wnd;
    HWND top = QueryAppTopWindow();
    return top ? SendMessageA(top, KA_WM_NOTIFY, code, reinterpret_cast<LPARAM>(this)) : 0;
}

void cNoti::postTop(HWND wnd, unsigned short code)
{
    source = wnd;
    // Without a top window PostMessage would go to this thread's queue, where nobody frees the copy.
    if (HWND top = QueryAppTopWindow()) postCopy(top, code);
}

void cNoti::postCopy(HWND target, unsigned short code)
{
    cNoti* copy = new cNoti(*this);
    if (!copy) return;
    copy->posted = 1;
    if (!PostMessageA(target, KA_WM_NOTIFY, code, reinterpret_cast<LPARAM>(copy))) freePostedNoti(copy);
}

int cNoti::sendKey(HWND wnd, int code, int keyCode)
{
    source = wnd;
    key = keyCode;
    return static_cast<int>(send(wnd, static_cast<unsigned short>(code)));
}

int cNoti::sendPoint(HWND wnd, int code, int px, int py)
{
    source = wnd;
    x = px;
    y = py;
    return static_cast<int>(send(wnd, static_cast<unsigned short>(code)));
}

int cNoti::keyDown(HWND wnd, int keyCode) { return sendKey(wnd, KA_NOTI_KEYDOWN, keyCode); }

int cNoti::keyUp(HWND wnd, int keyCode) { return sendKey(wnd, KA_NOTI_KEYUP, keyCode); }

int cNoti::doubleClick(HWND wnd, int px, int py) { return sendPoint(wnd, KA_NOTI_DBLCLICK, px, py); }

int cNoti::mouseMove(HWND wnd, int px, int py) { return sendPoint(wnd, KA_NOTI_MOUSEMOVE, px, py); }

int cNoti::mouseDown(HWND wnd, int px, int py) { return sendPoint(wnd, KA_NOTI_MOUSEDOWN, px, py); }

int cNoti::mouseUp(HWND wnd, int px, int py) { return sendPoint(wnd, KA_NOTI_MOUSEUP, px, py); }

LRESULT kaNotifyActivated(HWND wnd)
{
    cNoti noti;
    noti.source = wnd;
    return noti.send(wnd, KA_NOTI_ACTIVATED);
}

LRESULT kaNotifyComment(HWND wnd, const char* comment)
{
    cNoti noti;
    noti.comment = comment;
    return noti.sendTop(wnd, KA_NOTI_COMMENT);
}

LRESULT kaNotifyComment2(HWND wnd, const char* comment)
{
    cNoti noti;
    noti.comment = comment;
    return noti.sendTop(wnd, KA_NOTI_COMMENT2);
}

LRESULT kaNotifyCommentFree(HWND wnd)
{
    cNoti noti;
    return noti.sendTop(wnd, KA_NOTI_COMMENTFREE);
}

void freePostedNoti(cNoti* noti)
{
    if (!noti) return;
    noti->~cNoti();
    cBase::operator delete(noti);
}

LRESULT CALLBACK kaDefDocProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == KA_WM_ISKAWINDOW) return 1;
    if (msg != KA_WM_NOTIFY) return DefWindowProcA(wnd, msg, wParam, lParam);
    cNoti* noti = reinterpret_cast<cNoti*>(lParam);
    return noti ? noti->send(wnd, static_cast<unsigned short>(wParam)) : 0;
}
