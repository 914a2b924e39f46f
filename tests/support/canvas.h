// A memory bitmap to draw on and read back, shared by the drawing and text tests.
#pragma once
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <vector>

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
    int width() const { return w; }
    int height() const { return h; }

    void clear(COLORREF c)
    {
        GdiFlush();
        for (int i = 0; i < w * h; ++i) bits[i] = toDib(c);
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
    // Whether any pixel inside r differs from the colour c.
    bool anyOtherThan(COLORREF c, RECT r) const
    {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (pixel(x, y) != c) return true;
        return false;
    }
    bool inkIn(RECT r) const { return anyOtherThan(RGB(255, 255, 255), r); }
    // Whether the colour c appears anywhere inside r.
    bool has(COLORREF c, RECT r) const
    {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (pixel(x, y) == c) return true;
        return false;
    }

    // A 24-bit BMP file, for looking at a rendering.
    bool save(const char* path) const
    {
        GdiFlush();
        int stride = (w * 3 + 3) & ~3;
        BITMAPFILEHEADER fh = {};
        BITMAPINFOHEADER ih = {};
        ih.biSize = sizeof(ih);
        ih.biWidth = w;
        ih.biHeight = h;
        ih.biPlanes = 1;
        ih.biBitCount = 24;
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof(fh) + sizeof(ih);
        fh.bfSize = fh.bfOffBits + stride * h;
        std::vector<unsigned char> row(stride);
        FILE* f = std::fopen(path, "wb");
        if (!f) return false;
        std::fwrite(&fh, sizeof(fh), 1, f);
        std::fwrite(&ih, sizeof(ih), 1, f);
        for (int y = h - 1; y >= 0; --y) {
            for (int x = 0; x < w; ++x) std::memcpy(&row[x * 3], &bits[y * w + x], 3);
            std::fwrite(row.data(), stride, 1, f);
        }
        return std::fclose(f) == 0;
    }

private:
    static DWORD toDib(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

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
