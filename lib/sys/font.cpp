#include "font.h"
#include <commdlg.h>
#include "sys/controls.h"
#include "core/handle.h"
#include "gdiutil.h"

namespace {

const int kTypeFont = 85;
const int kStandardSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

int screenDpi()
{
    WindowDc screen;
    int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

bool describe(HFONT font, LOGFONTA& out)
{
    LOGFONTA lf;
    if (!font || GetObjectA(font, sizeof(lf), &lf) == 0) return false;
    out = lf;
    return true;
}

LOGFONTA defaultDescription()
{
    LOGFONTA lf = {};
    describe(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), lf);
    lf.lfHeight = PointsToLogHeight(9);
    lf.lfWidth = 0;
    return lf;
}

// The screen's context with a font selected for measuring, put back on leaving.
class ScreenFont {
public:
    explicit ScreenFont(HFONT font) : screen(), old(screen && font ? SelectObject(screen.get(), font) : nullptr) {}
    ~ScreenFont()
    {
        if (old) SelectObject(screen.get(), old);
    }
    ScreenFont(const ScreenFont&) = delete;
    ScreenFont& operator=(const ScreenFont&) = delete;
    HDC get() const { return screen.get(); }

private:
    WindowDc screen;
    HGDIOBJ old;
};

void enumerateFamily(const char* family, FONTENUMPROCA proc, void* context)
{
    WindowDc screen;
    if (!screen) return;
    EnumFontFamiliesA(screen.get(), family, proc, reinterpret_cast<LPARAM>(context));
}

void applyStyles(LOGFONTA& lf, int flags, bool on)
{
    if (flags & cFont::Bold) lf.lfWeight = on ? FW_BOLD : FW_NORMAL;
    if (flags & cFont::Italic) lf.lfItalic = on;
    if (flags & cFont::Underline) lf.lfUnderline = on;
    if (flags & cFont::StrikeOut) lf.lfStrikeOut = on;
}

// A list box (kind 1) or a combo box, driven alike.
class Picker {
public:
    Picker(HWND control, unsigned short kind) : hwnd(control), listBox(kind == 1) {}

    void reset() { SendMessageA(hwnd, listBox ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0); }
    void add(const char* text) { listBox ? LbAddString(hwnd, text) : CbAddString(hwnd, text); }
    int count() const { return static_cast<int>(SendMessageA(hwnd, listBox ? LB_GETCOUNT : CB_GETCOUNT, 0, 0)); }
    void select(int i) { SendMessageA(hwnd, listBox ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(i), 0); }
    int find(const char* text) const
    {
        if (strLen(text) == 0) return -1;
        return listBox ? LbFindStringExact(hwnd, text) : CbFindStringExact(hwnd, text);
    }
    int number(int i) const
    {
        cStringA text;
        listBox ? LbGetString(hwnd, static_cast<short>(i), text) : CbGetLBString(hwnd, static_cast<short>(i), text);
        return text.toInt();
    }
    // Keeps the entries ordered by the size in their item data, each size once.
    void insertSize(int points)
    {
        int n = count(), at = 0;
        for (; at < n; ++at) {
            int size = static_cast<int>(SendMessageA(hwnd, listBox ? LB_GETITEMDATA : CB_GETITEMDATA, at, 0));
            if (size == points) return;
            if (size > points) break;
        }
        cStringA text;
        text.set(points);
        if (listBox) {
            LbInsertString(hwnd, static_cast<short>(at), text);
        } else {
            SendMessageA(hwnd, CB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text.getPtr()));
        }
        SendMessageA(hwnd, listBox ? LB_SETITEMDATA : CB_SETITEMDATA, static_cast<WPARAM>(at), points);
    }

private:
    HWND hwnd;
    bool listBox;
};

struct NameFill {
    Picker* picker;
    bool vertical;
};

int CALLBACK takeFirstFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM out)
{
    *reinterpret_cast<LOGFONTA*>(out) = *lf;
    return 0;
}

int CALLBACK addFamilyName(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM context)
{
    NameFill* fill = reinterpret_cast<NameFill*>(context);
    // Some systems deliver a family once for each of its character sets.
    bool wanted = lf->lfFaceName[0] != '@' || fill->vertical;
    if (wanted && fill->picker->find(lf->lfFaceName) < 0) fill->picker->add(lf->lfFaceName);
    return 1;
}

int CALLBACK addFaceSizes(const LOGFONTA*, const TEXTMETRICA* tm, DWORD type, LPARAM context)
{
    Picker* picker = reinterpret_cast<Picker*>(context);
    if (!(type & RASTER_FONTTYPE)) {
        // A scalable face offers the standard sizes, whatever other faces follow.
        cStringA text;
        for (int size : kStandardSizes) picker->add(text.set(size));
        return 0;
    }
    picker->insertSize(LogHeightToPoints(tm->tmInternalLeading - tm->tmHeight));
    return 1;
}

}  // namespace

int LogHeightToPoints(int height) { return -MulDiv(height, 72, screenDpi()); }

int PointsToLogHeight(int points) { return -MulDiv(points, screenDpi(), 72); }

void kaGetLogFont(const char* family, LOGFONTA* out)
{
    if (out && strLen(family) > 0) enumerateFamily(family, takeFirstFace, out);
}

int kaChooseFont(HWND owner, LOGFONTA* font, unsigned long* colour, int mode)
{
    LOGFONTA local = {};
    CHOOSEFONTA cf = {};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = owner;
    cf.lpLogFont = font ? font : &local;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | (mode == 1 && font ? CF_INITTOLOGFONTSTRUCT : 0);
    cf.rgbColors = colour ? *colour : 0;
    int chosen = ChooseFontA(&cf);
    if (colour) *colour = cf.rgbColors;
    return chosen;
}

void kaSetFontNameList(HWND control, unsigned short kind, const char* select, int withVertical)
{
    Picker picker(control, kind);
    picker.reset();
    NameFill fill = {&picker, withVertical != 0};
    enumerateFamily(nullptr, addFamilyName, &fill);
    picker.select(picker.find(select));
}

void kaSetFontSize(HWND control, unsigned short kind, const char* family, int points)
{
    int wanted = points < 2 ? 12 : points;
    Picker picker(control, kind);
    picker.reset();
    if (strLen(family) > 0) enumerateFamily(family, addFaceSizes, &picker);
    int n = picker.count(), i = 0;
    while (i < n && picker.number(i) < wanted) ++i;
    picker.select(i < n ? i : n - 1);
}

cFont::cFont() : font(nullptr), logFont()
{
    type = kTypeFont;
    replace(defaultDescription());
}

cFont::cFont(HFONT source) : font(nullptr), logFont()
{
    type = kTypeFont;
    LOGFONTA lf = defaultDescription();
    describe(source, lf);
    replace(lf);
}

// A copy makes a font of its own: two objects never delete one handle twice.
cFont::cFont(const cFont& other) : cVar(other), font(nullptr), logFont()
{
    replace(other.logFont);
}

cFont::~cFont() { gdiDelete(font); }

cFont& cFont::operator=(const cFont& other)
{
    if (this != &other) set(other.font);
    return *this;
}

void cFont::set(HFONT source)
{
    LOGFONTA lf;
    if (describe(source, lf)) replace(lf);
}

void cFont::set(LOGFONTA* description)
{
    if (description) replace(*description);
}

void cFont::setName(const char* family)
{
    LOGFONTA lf = logFont;
    kaGetLogFont(family, &lf);
    replace(lf);
}

void cFont::addStyle(int flags)
{
    LOGFONTA lf = current();
    applyStyles(lf, flags, true);
    replace(lf);
}

void cFont::removeStyle(int flags)
{
    LOGFONTA lf = current();
    applyStyles(lf, flags, false);
    replace(lf);
}

void cFont::setSize(int points)
{
    LOGFONTA lf = current();
    lf.lfHeight = PointsToLogHeight(points);
    lf.lfWidth = 0;
    replace(lf);
}

HFONT cFont::getFont() const { return font; }

const char* cFont::getName() const { return logFont.lfFaceName; }

int cFont::getSize() const { return LogHeightToPoints(logFont.lfHeight); }

bool cFont::isBold() const { return logFont.lfWeight >= FW_BOLD; }

bool cFont::isItalic() const { return logFont.lfItalic != 0; }

bool cFont::isUnderline() const { return logFont.lfUnderline != 0; }

bool cFont::isStrikethrough() const { return logFont.lfStrikeOut != 0; }

int cFont::getHeight()
{
    ScreenFont screen(font);
    TEXTMETRICA tm = {};
    GetTextMetricsA(screen.get(), &tm);
    return tm.tmHeight;
}

int cFont::stringWidth(const char* text)
{
    ScreenFont screen(font);
    SIZE size = {0, 0};
    int n = strLen(text);
    if (n > 0) GetTextExtentPoint32A(screen.get(), text, n, &size);
    return size.cx;
}

cStringA cFont::toString() const
{
    cStringA s(logFont.lfFaceName);
    s << "," << getSize();
    if (isBold()) s << ",bold";
    if (isItalic()) s << ",Italic";
    if (isUnderline()) s << ",Underline";
    if (isStrikethrough()) s << ",StrikeThrough";
    return s;
}

// A font that cannot be made leaves the old font and its description in place.
void cFont::replace(const LOGFONTA& description)
{
    HFONT fresh = static_cast<HFONT>(gdiCreated(CreateFontIndirectA(&description)));
    if (!fresh) return;
    gdiDelete(font);
    font = fresh;
    logFont = description;
}

LOGFONTA cFont::current() const
{
    LOGFONTA lf = logFont;
    describe(font, lf);
    return lf;
}
