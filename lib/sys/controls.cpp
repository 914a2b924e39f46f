#include "controls.h"
#include "core/error.h"

namespace {

struct AddMessages {
    const char* empty;
    const char* noSpace;
    const char* other;
};

const AddMessages kCbAdd = {"Null string added to combo box.", "Insufficient space is available in CbAddString().",
                            "Error occured in CbAddString()."};
const AddMessages kLbAdd = {"Null string added to list box.", "Insufficient space is available in LbAddString().",
                            "Error occured in LbAddString()."};
const AddMessages kLbInsert = {"Null string inserted to list box.",
                               "Insufficient space is available int LbInsertString().",
                               "Error occured in LbInsertString()."};

LRESULT send(HWND hwnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return SendMessageA(hwnd, msg, wp, lp); }

// -1 and -2 are CB_ERR/LB_ERR and CB_ERRSPACE/LB_ERRSPACE alike.
short addItem(HWND hwnd, UINT msg, WPARAM index, const char* text, const AddMessages& texts)
{
    if (strLen(text) == 0) {
        kaErrorSetMsg(texts.empty);
        return -1;
    }
    short r = static_cast<short>(send(hwnd, msg, index, reinterpret_cast<LPARAM>(text)));
    if (r == -2)
        kaErrorSetMsg(texts.noSpace);
    else if (r < 0)
        kaErrorSetMsg(texts.other);
    return r;
}

short fillList(HWND hwnd, const char** list, const char* select, UINT resetMsg, UINT setSelMsg,
               short (*add)(HWND, const char*))
{
    send(hwnd, resetMsg);
    int selected = -1;
    for (int i = 0; list && list[i]; ++i) {
        short index = add(hwnd, list[i]);
        if (select && strIsEqual(list[i], select)) selected = index;
    }
    return static_cast<short>(send(hwnd, setSelMsg, static_cast<WPARAM>(selected)));
}

int itemText(HWND hwnd, UINT lengthMsg, UINT textMsg, short i, cStringA& out)
{
    out.setBlank();
    WPARAM index = static_cast<WPARAM>(i);
    LRESULT length = send(hwnd, lengthMsg, index);
    if (length < 1) return 0;
    char* block = static_cast<char*>(checkMemory(ka_calloc(static_cast<unsigned int>(length) + 1, 1)));
    if (!block) return 0;
    int r = static_cast<int>(send(hwnd, textMsg, index, reinterpret_cast<LPARAM>(block)));
    if (r > 0) out = block;
    ka_free(block);
    return r > 0 ? r : 0;
}

void setScroll(HWND hwnd, int bar, UINT mask, int a, int b, int redraw)
{
    if (!hwnd) return;
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = mask;
    if (mask == SIF_POS) si.nPos = a;
    if (mask == SIF_PAGE) si.nPage = static_cast<UINT>(a);
    if (mask == SIF_RANGE) {
        si.nMin = a;
        si.nMax = b;
    }
    SetScrollInfo(hwnd, bar, &si, redraw != 0);
}

}  // namespace

void GetWindowString(HWND hwnd, cStringA& out)
{
    out.setBlank();
    int length = GetWindowTextLengthA(hwnd);
    if (length < 1) return;
    char* block = static_cast<char*>(checkMemory(ka_calloc(static_cast<unsigned int>(length) + 1, 1)));
    if (!block) return;
    GetWindowTextA(hwnd, block, length + 1);
    out = block;
    ka_free(block);
}

void CbResetContent(HWND hwnd) { send(hwnd, CB_RESETCONTENT); }

short CbAddString(HWND hwnd, const char* text) { return addItem(hwnd, CB_ADDSTRING, 0, text, kCbAdd); }

short CbAddStringArr(HWND hwnd, const char** list, const char* select)
{
    return fillList(hwnd, list, select, CB_RESETCONTENT, CB_SETCURSEL, CbAddString);
}

int CbSetCurSel(HWND hwnd, int i) { return static_cast<int>(send(hwnd, CB_SETCURSEL, static_cast<WPARAM>(i))); }

int CbGetCurSel(HWND hwnd) { return static_cast<int>(send(hwnd, CB_GETCURSEL)); }

unsigned short CbGetCount(HWND hwnd) { return static_cast<unsigned short>(send(hwnd, CB_GETCOUNT)); }

int CbGetLBString(HWND hwnd, short i, cStringA& out) { return itemText(hwnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, i, out); }

short CbSetItemData(HWND hwnd, short i, DWORD_PTR data)
{
    return static_cast<short>(send(hwnd, CB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(data)));
}

DWORD_PTR CbGetItemData(HWND hwnd, short i)
{
    return static_cast<DWORD_PTR>(send(hwnd, CB_GETITEMDATA, static_cast<WPARAM>(i)));
}

int CbFindStringExact(HWND hwnd, const char* text)
{
    return static_cast<int>(send(hwnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
}

short LbAddString(HWND hwnd, const char* text) { return addItem(hwnd, LB_ADDSTRING, 0, text, kLbAdd); }

short LbInsertString(HWND hwnd, short i, const char* text)
{
    return addItem(hwnd, LB_INSERTSTRING, static_cast<WPARAM>(i), text, kLbInsert);
}

short LbAddStringArr(HWND hwnd, const char** list, const char* select)
{
    return fillList(hwnd, list, select, LB_RESETCONTENT, LB_SETCURSEL, LbAddString);
}

short LbModifyString(HWND hwnd, short i, char* text)
{
    LRESULT selected = send(hwnd, LB_GETCURSEL);
    send(hwnd, LB_DELETESTRING, static_cast<WPARAM>(i));
    LbInsertString(hwnd, i, text);
    return static_cast<short>(send(hwnd, LB_SETCURSEL, static_cast<WPARAM>(selected)));
}

int LbGetString(HWND hwnd, short i, cStringA& out) { return itemText(hwnd, LB_GETTEXTLEN, LB_GETTEXT, i, out); }

int LbFindStringExact(HWND hwnd, const char* text)
{
    return static_cast<int>(send(hwnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
}

void EmGetSel(HWND hwnd, int* start, int* end)
{
    DWORD s = 0, e = 0;
    send(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    if (start) *start = static_cast<int>(s);
    if (end) *end = static_cast<int>(e);
}

void EmSetSel(HWND hwnd, int start, int end)
{
    send(hwnd, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    send(hwnd, EM_SCROLLCARET);
}

bool EmGetModify(HWND hwnd) { return send(hwnd, EM_GETMODIFY) != 0; }

void EmSetModify(HWND hwnd, int flag) { send(hwnd, EM_SETMODIFY, static_cast<WPARAM>(flag)); }

void EmSetLimitText(HWND hwnd, int n) { send(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(n)); }

void EmSetRect(HWND hwnd, RECT* r) { send(hwnd, EM_SETRECT, 0, reinterpret_cast<LPARAM>(r)); }

bool EmSetReadOnly(HWND hwnd, int on) { return send(hwnd, EM_SETREADONLY, static_cast<WPARAM>(on)) != 0; }

int sbmGetPos(HWND hwnd, int bar)
{
    if (!hwnd) return 0;
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(hwnd, bar, &si);
    return si.nTrackPos;
}

bool sbmGetRange(HWND hwnd, int bar, int* min, int* max)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE;
    bool ok = hwnd && GetScrollInfo(hwnd, bar, &si);
    if (min) *min = ok ? si.nMin : 0;
    if (max) *max = ok ? si.nMax : 0;
    return ok;
}

void sbmSetPos(HWND hwnd, int bar, int pos, int redraw) { setScroll(hwnd, bar, SIF_POS, pos, 0, redraw); }

void sbmSetPage(HWND hwnd, int bar, int page, int redraw) { setScroll(hwnd, bar, SIF_PAGE, page, 0, redraw); }

void sbmSetRange(HWND hwnd, int bar, int min, int max, int redraw)
{
    setScroll(hwnd, bar, SIF_RANGE, min, max, redraw);
}
