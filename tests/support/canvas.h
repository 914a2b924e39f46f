// A memory bitmap to draw on and read back, shared by the drawing and text tests.
#pragma once
#include <windows.h>
#include <cstring>

class Canvas {
public:
    Canvas(int width, int height) : w(width), h(height)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;  // top-down rows
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        hdc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(hdc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        oldBitmap = SelectObject(hdc, bitmap);
        clear(RGB(255, 255, 255));
    }
    ~Canvas()
    {
        SelectObject(hdc, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(hdc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return hdc; }

    void clear(COLORREF c)
    {
        GdiFlush();
        DWORD dib = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        for (int i = 0; i < w * h; ++i) bits[i] = dib;
    }
    // As a colour word (0x00BBGGRR); outside the bitmap: 0xFFFFFFFF.
    COLORREF pixel(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= w || y >= h) return 0xFFFFFFFF;
        GdiFlush();
        DWORD v = bits[y * w + x] & 0xFFFFFF;
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    bool sameAs(const Canvas& o) const
    {
        GdiFlush();
        return w == o.w && h == o.h && std::memcmp(bits, o.bits, sizeof(DWORD) * w * h) == 0;
    }

private:
    int w, h;
    HDC hdc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    DWORD* bits = nullptr;
};

// A real font of a known cell height, so that layouts can be measured.
inline HFONT makeTestFont(int cellHeight, const char* face = "DejaVu Sans Mono")
{
    return CreateFontA(cellHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, face);
}
