#include "wnd.h"
#include "sys/controls.h"
#include "core/handle.h"
#include "draw.h"
#include "font.h"
#include "gdiutil.h"
#include "globals.h"
#include "noti.h"

// The procedure of the window class; a friend of cWnd, not exported.
LRESULT CALLBACK kaWindowClassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {

const int kTypeWindow = 98;
const char kClassName[] = "kaWINDOW";

HINSTANCE instance()
{
    HINSTANCE registered = kaGetInstance();
    return registered ? registered : GetModuleHandleA(nullptr);
}

// A failed registration is tried again on the next window.
bool registerWindowClass()
{
    static bool registered = false;
    if (registered) return true;
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = kaWindowClassProc;
    wc.cbWndExtra = sizeof(cWnd*);  // the object's address, at either pointer width
    wc.hInstance = instance();
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClassName;
    registered = RegisterClassA(&wc) != 0;
    return registered;
}

cWnd* boundObject(HWND hwnd) { return reinterpret_cast<cWnd*>(GetWindowLongPtrA(hwnd, 0)); }

void bind(HWND hwnd, cWnd* object) { SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(object)); }

bool isLibraryWindow(HWND hwnd)
{
    char name[sizeof(kClassName) + 1] = {};
    return GetClassNameA(hwnd, name, sizeof(name)) > 0 && lstrcmpA(name, kClassName) == 0;
}

// The parent whose client coordinates place a child window; null for the others
// (GetParent would answer a top-level window's owner).
HWND placingParent(HWND hwnd)
{
    return (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr;
}

void placeOnScreen(HWND hwnd, POINT screen, bool repaint)
{
    if (HWND parent = placingParent(hwnd)) ScreenToClient(parent, &screen);
    SetWindowPos(hwnd, nullptr, screen.x, screen.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

RECT windowRect(HWND hwnd)
{
    RECT r = {0, 0, 0, 0};
    GetWindowRect(hwnd, &r);
    return r;
}

}  // namespace

LRESULT CALLBACK kaWindowClassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE) {
        cWnd* object = static_cast<cWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (!object) return DefWindowProcA(hwnd, msg, wParam, lParam);
        object->window = hwnd;
        bind(hwnd, object);
        return object->onCreate() ? 0 : -1;
    }
    cWnd* object = boundObject(hwnd);
    if (msg == WM_DESTROY) {
        bind(hwnd, nullptr);
        if (object) object->onDestroy();
        return 0;
    }
    return object ? object->wndProc(msg, wParam, lParam) : DefWindowProcA(hwnd, msg, wParam, lParam);
}

void centerWindow(HWND window, HWND reference, bool repaint)
{
    if (!IsWindow(window)) return;
    if (!reference) reference = placingParent(window);
    if (!reference) reference = GetWindow(window, GW_OWNER);
    if (!reference) reference = GetDesktopWindow();
    RECT w = windowRect(window), r = windowRect(reference);
    int width = w.right - w.left, height = w.bottom - w.top;
    int x = r.left + (r.right - r.left) / 2 - width / 2;
    int y = r.top + (r.bottom - r.top) / 2 - height / 2;
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (x + width > screenWidth) x = screenWidth - width;
    if (y + height > screenHeight) y = screenHeight - height;
    placeOnScreen(window, {x < 0 ? 0 : x, y < 0 ? 0 : y}, repaint);
}

void setDlgPosition(HWND window, HWND reference, int dx, int dy, bool repaint)
{
    if (!IsWindow(window) || !IsWindow(reference)) return;
    RECT r = windowRect(reference);
    placeOnScreen(window, {r.left + dx, r.top + dy}, repaint);
}

HWND getTopLevelWindow(HWND window)
{
    while (window && (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD)) {
        HWND parent = GetParent(window);
        if (!parent) break;
        window = parent;
    }
    return window;
}

void SendMessageToDescendants(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND child = GetWindow(window, GW_CHILD);
    while (child) {
        // Taken first: a child may destroy itself when it gets the message.
        HWND next = GetWindow(child, GW_HWNDNEXT);
        if (!GetWindow(child, GW_OWNER)) {
            SendMessageToDescendants(child, msg, wParam, lParam);
            SendMessageA(child, msg, wParam, lParam);
        }
        child = next;
    }
}

cWnd::cWnd() : window(nullptr), id(0), font(nullptr), brush(nullptr), borderType(0), focusable(1), ui(nullptr)
{
    type = kTypeWindow;
    cFont standard;
    ownFont(standard.getFont());
    brush = static_cast<HBRUSH>(gdiCreated(CreateSolidBrush(colors.fill)));
}

cWnd::~cWnd()
{
    if (window && IsWindow(window) && isLibraryWindow(window) && boundObject(window) == this) bind(window, nullptr);
    gdiDelete(font);
    gdiDelete(brush);
}

bool cWnd::create(HWND parent, HMENU menuOrId, int border, unsigned long style, const char* caption)
{
    DWORD exStyle = 0;
    if (style & WS_CHILD) {
        id = static_cast<unsigned short>(reinterpret_cast<UINT_PTR>(menuOrId) & 0xFFFF);
        borderType = border;
        if (border == 1) style |= WS_BORDER;
        if (border == 2 || border == 3 || border == 5 || border == 6) exStyle = WS_EX_CLIENTEDGE;
    } else {
        borderType = 0;
    }
    registerWindowClass();
    // A window refused by onCreate leaves no stale handle behind.
    window = CreateWindowExA(exStyle, kClassName, caption, style, -100, -100, 100, 100, parent, menuOrId,
                             instance(), this);
    return window != nullptr;
}

void cWnd::attach(HWND hwnd) { window = hwnd; }

void cWnd::destroy()
{
    if (exists()) DestroyWindow(window);
    window = nullptr;
}

bool cWnd::isWindow() const { return IsWindow(window) != 0; }

HWND cWnd::getHwnd() const { return window; }

LRESULT cWnd::wndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCPAINT: {
        LRESULT result = DefWindowProcA(window, msg, wParam, lParam);
        drawBorder();
        return result;
    }
    case KA_WM_GETOBJECT:
        return reinterpret_cast<LRESULT>(this);
    case KA_WM_NOTIFY: {
        cNoti* noti = reinterpret_cast<cNoti*>(lParam);
        return noti ? noti->send(window, static_cast<unsigned short>(wParam)) : 0;
    }
    case KA_WM_ISKAWINDOW:
        return 1;
    default:
        return DefWindowProcA(window, msg, wParam, lParam);
    }
}

bool cWnd::preTranslateMessage(MSG*) { return false; }

bool cWnd::onCreate() { return true; }

void cWnd::onDestroy() {}

void cWnd::enable(bool on)
{
    if (exists()) EnableWindow(window, on);
}

void cWnd::enable() { enable(true); }

void cWnd::disable() { enable(false); }

void cWnd::setFocus()
{
    if (exists()) SetFocus(window);
}

void cWnd::move(int x, int y)
{
    if (!exists()) return;
    POINT topLeft = {x, y};
    if (!placeRestored(&topLeft, nullptr))
        SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void cWnd::resize(int width, int height)
{
    if (width < 0 || height < 0 || !exists()) return;
    SIZE size = {width, height};
    if (!placeRestored(nullptr, &size))
        SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void cWnd::movesize(int x, int y, int width, int height)
{
    if (exists()) SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void cWnd::drawBorder()
{
    if (borderType == 0 || !exists()) return;
    RECT r = windowRect(window);
    OffsetRect(&r, -r.left, -r.top);
    WindowDc dc(window, GetWindowDC(window));
    if (!dc) return;
    drawOutline(dc.get(), r, borderType, colors);
}

cStringA cWnd::getText() const { return text; }

void cWnd::setText(const char* newText) { text = newText; }

void cWnd::setFont(HFONT source)
{
    ownFont(source);
    if (exists()) SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void cWnd::setColors(const cColorSet& colours)
{
    colors = colours;
    setFillColor(colours.fill);
}

void cWnd::setFillColor(unsigned long colour)
{
    gdiDelete(brush);
    colors.fill = colour;
    brush = static_cast<HBRUSH>(gdiCreated(CreateSolidBrush(colour)));
}

void cWnd::setTextColor(unsigned long colour) { colors.text = colour; }

void cWnd::setBorderColor(unsigned long colour)
{
    colors.border = colour;
    colors.make3DColor();
}

HFONT cWnd::getFont() const { return font; }

HBRUSH cWnd::getBrush() const { return brush; }

unsigned long cWnd::textColor() const { return colors.text; }

unsigned long cWnd::fillColor() const { return colors.fill; }

unsigned long cWnd::borderColor() const { return colors.border; }

const cColorSet* cWnd::getColors() const { return &colors; }

void cWnd::show(bool visible) { visible ? show() : hide(); }

void cWnd::show()
{
    if (!exists()) return;
    ShowWindow(window, SW_SHOWNA);
    UpdateWindow(window);
}

void cWnd::hide()
{
    if (exists()) ShowWindow(window, SW_HIDE);
}

int cWnd::isVisible() const { return IsWindowVisible(window); }

int cWnd::isEnabled() const { return IsWindowEnabled(window); }

int cWnd::isDisabled() const { return !isEnabled(); }

void cWnd::offsetLocation(int dx, int dy)
{
    if (!exists()) return;
    RECT r = windowRect(window);
    placeOnScreen(window, {r.left + dx, r.top + dy}, true);
}

void cWnd::setFocusable(int on) { focusable = on; }

int cWnd::getFocusable() const { return focusable; }

void cWnd::setBorderType(int type) { borderType = type; }

int cWnd::getBorderType() const { return borderType; }

int cWnd::borderWidth() const
{
    switch (borderType) {
    case 1:
        return 1;
    case 2:
    case 3:
    case 5:
    case 6:
        return 2;
    default:
        return 0;
    }
}

void cWnd::repaint() const { InvalidateRect(window, nullptr, TRUE); }

LRESULT cWnd::sendMessage(UINT msg, WPARAM wParam, LPARAM lParam) { return SendMessageA(window, msg, wParam, lParam); }

LRESULT cWnd::postMessage(UINT msg, WPARAM wParam, LPARAM lParam) { return PostMessageA(window, msg, wParam, lParam); }

void cWnd::getDlgItemText(int childId, cStringA& out)
{
    HWND child = window ? GetDlgItem(window, childId) : nullptr;
    if (child)
        GetWindowString(child, out);
    else
        out.setBlank();
}

void cWnd::setUI(void* pointer) { ui = pointer; }

void* cWnd::getUI() { return ui; }

bool cWnd::exists() const { return window && IsWindow(window); }

void cWnd::ownFont(HFONT source)
{
    LOGFONTA lf;
    if (!source || GetObjectA(source, sizeof(lf), &lf) == 0) return;
    HFONT fresh = static_cast<HFONT>(gdiCreated(CreateFontIndirectA(&lf)));
    if (!fresh) return;
    gdiDelete(font);
    font = fresh;
}

// A minimised or maximised window keeps its state: its restored rectangle changes.
bool cWnd::placeRestored(const POINT* topLeft, const SIZE* size)
{
    if (!IsIconic(window) && !IsZoomed(window)) return false;
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    if (!GetWindowPlacement(window, &wp)) return false;
    RECT& r = wp.rcNormalPosition;
    if (topLeft) OffsetRect(&r, topLeft->x - r.left, topLeft->y - r.top);
    if (size) {
        r.right = r.left + size->cx;
        r.bottom = r.top + size->cy;
    }
    if (!IsWindowVisible(window)) wp.showCmd = SW_HIDE;  // moving never shows a window
    SetWindowPlacement(window, &wp);
    return true;
}
