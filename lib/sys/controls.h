// Thin helpers over the standard combo box, list box, edit control and scroll bar,
// so that dialog code reads as calls instead of raw messages. The add and insert
// helpers refuse empty texts and turn the control's error returns into messages
// in the error channel; the others pass the control's answer through.
#pragma once
#include <windows.h>
#include "core/stringa.h"

KA_API void GetWindowString(HWND hwnd, cStringA& out);

KA_API void CbResetContent(HWND hwnd);
KA_API short CbAddString(HWND hwnd, const char* text);
// Empties the box, adds list up to its null entry and selects the last entry equal
// to select (none when select is null or absent); returns CB_SETCURSEL's answer.
KA_API short CbAddStringArr(HWND hwnd, const char** list, const char* select);
KA_API int CbSetCurSel(HWND hwnd, int i);
KA_API int CbGetCurSel(HWND hwnd);
KA_API unsigned short CbGetCount(HWND hwnd);
// Item text and CB_GETLBTEXT's length; out blank and 0 for a missing or empty item.
KA_API int CbGetLBString(HWND hwnd, short i, cStringA& out);
KA_API short CbSetItemData(HWND hwnd, short i, DWORD_PTR data);
KA_API DWORD_PTR CbGetItemData(HWND hwnd, short i);
KA_API int CbFindStringExact(HWND hwnd, const char* text);

KA_API short LbAddString(HWND hwnd, const char* text);
KA_API short LbInsertString(HWND hwnd, short i, const char* text);
KA_API short LbAddStringArr(HWND hwnd, const char** list, const char* select);
// Replaces item i and restores the selection that was current before.
KA_API short LbModifyString(HWND hwnd, short i, char* text);
KA_API int LbGetString(HWND hwnd, short i, cStringA& out);
KA_API int LbFindStringExact(HWND hwnd, const char* text);

KA_API void EmGetSel(HWND hwnd, int* start, int* end);
KA_API void EmSetSel(HWND hwnd, int start, int end);
KA_API bool EmGetModify(HWND hwnd);
KA_API void EmSetModify(HWND hwnd, int flag);
KA_API void EmSetLimitText(HWND hwnd, int n);
KA_API void EmSetRect(HWND hwnd, RECT* r);
KA_API bool EmSetReadOnly(HWND hwnd, int on);

// bar is SB_HORZ, SB_VERT or SB_CTL. A null handle reads as 0 and changes nothing.
KA_API int sbmGetPos(HWND hwnd, int bar);  // the track position, which follows a dragged thumb
KA_API bool sbmGetRange(HWND hwnd, int bar, int* min, int* max);
KA_API void sbmSetPos(HWND hwnd, int bar, int pos, int redraw);
KA_API void sbmSetPage(HWND hwnd, int bar, int page, int redraw);
KA_API void sbmSetRange(HWND hwnd, int bar, int min, int max, int redraw);
