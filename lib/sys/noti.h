// Notification records that a window sends or posts to its parent, or to the
// application's top window, inside the library's notification message. Windows
// of the library that do not handle a notification pass it on to their parent.
#pragma once
#include <windows.h>
#include "core/stringa.h"

// The library's private window messages.
const UINT KA_WM_GETOBJECT = WM_APP;        // answers the address of the window object
const UINT KA_WM_NOTIFY = WM_APP + 11;      // wParam: notification code, lParam: cNoti*
const UINT KA_WM_ISKAWINDOW = WM_APP + 14;  // answers 1 from a library window

// Notification codes used by the library.
enum {
    KA_NOTI_ACTIVATED = 0,
    KA_NOTI_KEYDOWN = 160,
    KA_NOTI_KEYUP = 161,
    KA_NOTI_DBLCLICK = 171,
    KA_NOTI_MOUSEMOVE = 172,
    KA_NOTI_MOUSEDOWN = 173,
    KA_NOTI_MOUSEUP = 174,
    KA_NOTI_COMMENT = 190,
    KA_NOTI_COMMENT2 = 191,
    KA_NOTI_COMMENTFREE = 192,
    KA_NOTI_ERRORSHOW = 602,
};

#pragma pack(push, 1)

// A record sent (it lives on the sender's stack) or posted (a heap copy with
// posted = 1 that the window finally handling it frees with freePostedNoti).
class KA_API cNoti : public cBase {
public:
    cNoti();
    // A copy is never a posted record itself; assignment copies posted too.
    cNoti(const cNoti& other);
    cNoti& operator=(const cNoti& other);

    LRESULT send(HWND wnd, unsigned short code);
    virtual void post(HWND wnd, unsigned short code);
    LRESULT sendTop(HWND wnd, unsigned short code);
    void postTop(HWND wnd, unsigned short code);

    int keyDown(HWND wnd, int key);
    int keyUp(HWND wnd, int key);
    int doubleClick(HWND wnd, int x, int y);
    int mouseMove(HWND wnd, int x, int y);
    int mouseDown(HWND wnd, int x, int y);
    int mouseUp(HWND wnd, int x, int y);

    HWND source;
    DWORD data;  // application payload, like every field the library does not read
    int key;
    int x;
    int y;
    RECT rect;
    const char* comment;  // not owned
    cStringA text1;
    cStringA text2;
    int posted;
    cStringA text3;
    DWORD data2;

private:
    void postCopy(HWND target, unsigned short code);
    int sendKey(HWND wnd, int code, int keyCode);
    int sendPoint(HWND wnd, int code, int px, int py);
};

#pragma pack(pop)

KA_API LRESULT kaNotifyActivated(HWND wnd);
KA_API LRESULT kaNotifyComment(HWND wnd, const char* comment);
KA_API LRESULT kaNotifyComment2(HWND wnd, const char* comment);
KA_API LRESULT kaNotifyCommentFree(HWND wnd);
KA_API void freePostedNoti(cNoti* noti);

// Window procedure for the application's document windows: notifications go on
// to the parent, the library-window query answers 1, the rest is default.
KA_API LRESULT CALLBACK kaDefDocProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
