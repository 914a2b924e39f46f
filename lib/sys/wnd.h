// Windows of the library's own class "kaWINDOW", each bound to a cWnd object whose
// virtual window procedure handles its messages, and free helpers that place
// dialogs and walk window trees. Everything here belongs to the thread that owns
// the windows.
#pragma once
#include <windows.h>
#include "core/stringa.h"
#include "data/colors.h"

// Centres window on reference (its parent, owner or the desktop when null), kept
// on the primary screen.
KA_API void centerWindow(HWND window, HWND reference, bool repaint);
// Moves window so that its top-left corner is reference's plus (dx, dy).
KA_API void setDlgPosition(HWND window, HWND reference, int dx, int dy, bool repaint);
// The first window up the parent chain without the child style.
KA_API HWND getTopLevelWindow(HWND window);
// Depth first: each child's descendants, then the child; owned windows are skipped.
KA_API void SendMessageToDescendants(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

#pragma pack(push, 1)

class KA_API cWnd : public cVar {
public:
    // No window yet; the default GUI font at 9 points, white fill, black text and border.
    cWnd();
    // The object owns a font and a brush: copies would delete them twice.
    cWnd(const cWnd&) = delete;
    cWnd& operator=(const cWnd&) = delete;

    // A child (WS_CHILD in style) takes the low 16 bits of menuOrId as its id and
    // the border type; any other window has border type 0. The window starts at
    // (-100, -100), 100 x 100: the caller places it.
    bool create(HWND parent, HMENU menuOrId, int borderType, unsigned long style, const char* caption);
    // Binds the object to an existing window of any class without taking over its
    // messages, so that placement, showing and hiding work on it (dialog controls).
    void attach(HWND window);
    void destroy();
    bool isWindow() const;
    HWND getHwnd() const;

    // Border painting, the object query, notifications passed on to the parent and
    // the library-window query; the rest is default. Derived windows handle their
    // own messages and call this one for the others.
    virtual LRESULT wndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual bool preTranslateMessage(MSG* msg);
    // false makes the system destroy the window being created.
    virtual bool onCreate();
    virtual void onDestroy();
    virtual void enable(bool on);
    virtual void enable();
    virtual void disable();
    virtual void setFocus();
    // Minimised and maximised windows keep their state: their restored place moves.
    virtual void move(int x, int y);
    virtual void resize(int width, int height);
    virtual void movesize(int x, int y, int width, int height);
    virtual void drawBorder();
    virtual cStringA getText() const;
    virtual void setText(const char* text);
    virtual void setFont(HFONT font);
    virtual void setColors(const cColorSet& colours);
    virtual void setFillColor(unsigned long colour);
    virtual void setTextColor(unsigned long colour);
    virtual void setBorderColor(unsigned long colour);
    // Deletes the font and brush. A window that outlives its object is not destroyed
    // but unbound: from then on it gets only the default processing. Virtual, after
    // the other operations, so that derived windows can be deleted through cWnd.
    virtual ~cWnd();

    HFONT getFont() const;
    HBRUSH getBrush() const;
    unsigned long textColor() const;
    unsigned long fillColor() const;
    unsigned long borderColor() const;
    const cColorSet* getColors() const;

    void show(bool visible);
    void show();
    void hide();
    int isVisible() const;
    int isEnabled() const;
    int isDisabled() const;
    // In the parent's client coordinates for a child, screen coordinates otherwise.
    void offsetLocation(int dx, int dy);
    void setFocusable(int focusable);
    int getFocusable() const;  // stored for the application; the library does not read it
    void setBorderType(int type);
    int getBorderType() const;
    // The border width that the border type reserves: 1, 2 or 0.
    int borderWidth() const;
    void repaint() const;

    LRESULT sendMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT postMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Empty when there is no child with that id.
    void getDlgItemText(int id, cStringA& out);
    void setUI(void* ui);
    void* getUI();

protected:
    HWND window;
    unsigned short id;
    HFONT font;
    HBRUSH brush;
    int borderType;
    int focusable;
    cStringA text;
    cColorSet colors;
    void* ui;

private:
    friend LRESULT CALLBACK kaWindowClassProc(HWND, UINT, WPARAM, LPARAM);
    bool exists() const;
    void ownFont(HFONT source);
    bool placeRestored(const POINT* topLeft, const SIZE* size);
};

#pragma pack(pop)
