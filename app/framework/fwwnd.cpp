#include "fwwnd.h"

cStringA windowText(HWND window)
{
    int length = GetWindowTextLengthA(window);
    if (length <= 0) return cStringA();
    char* text = static_cast<char*>(ka_malloc(length + 1));
    if (!text) return cStringA();
    GetWindowTextA(window, text, length + 1);
    cStringA result(text);
    ka_free(text);
    return result;
}

cStringA CWnd::GetWindowText() const { return windowText(m_hWnd); }

void CProgressCtrl::SetMarquee(bool on, UINT intervalMs)
{
    LONG_PTR style = GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    // The bar animates only while it carries the marquee style; positions show only without it.
    if (on) SetWindowLongPtrA(m_hWnd, GWL_STYLE, style | PBS_MARQUEE);
    SendMessage(PBM_SETMARQUEE, on, intervalMs);
    if (!on) SetWindowLongPtrA(m_hWnd, GWL_STYLE, style & ~LONG_PTR(PBS_MARQUEE));
}
