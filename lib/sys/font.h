// Fonts for the library's windows and drawing: a font value that owns its system
// font together with the description it was made from, the conversions between
// points and the logical heights of font descriptions (on the screen), the
// system's font dialog and fillers for font-name and font-size pickers.
#pragma once
#include <windows.h>
#include "core/memory.h"
#include "core/stringa.h"

#pragma pack(push, 1)

class KA_API cFont : public cVar {
public:
    // Style flags for addStyle and removeStyle.
    enum { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    // The system's default GUI font at 9 points.
    cFont();
    // A font of its own made from the description of font (which stays the caller's).
    cFont(HFONT font);
    cFont(const cFont& other);
    ~cFont();
    cFont& operator=(const cFont& other);

    void set(HFONT font);
    void set(LOGFONTA* description);
    // Takes the family's own first description: its size and styles as well.
    void setName(const char* family);
    void addStyle(int flags);
    void removeStyle(int flags);
    void setSize(int points);

    HFONT getFont() const;
    const char* getName() const;
    int getSize() const;
    bool isBold() const;
    bool isItalic() const;
    bool isUnderline() const;
    bool isStrikethrough() const;
    int getHeight();
    int stringWidth(const char* text);
    // "Arial,9,bold,Italic": face, points, then the styles that are set.
    cStringA toString() const;

private:
    void replace(const LOGFONTA& description);
    LOGFONTA current() const;

    HFONT font;
    LOGFONTA logFont;
};

#pragma pack(pop)

// Between points and the negative logical heights (character heights) on the screen.
KA_API int LogHeightToPoints(int height);
KA_API int PointsToLogHeight(int points);
// The first face of the family; out is left unchanged when there is no such family.
KA_API void kaGetLogFont(const char* family, LOGFONTA* out);
// The system's font dialog (screen fonts, effects); mode 1 starts from *font.
// *colour goes in and comes back (black when colour is null). Non-zero on OK.
KA_API int kaChooseFont(HWND owner, LOGFONTA* font, unsigned long* colour, int mode);
// kind 1: a list box; otherwise a combo box. Fills in the screen's font families
// (vertical "@" variants only with withVertical) and selects select, ignoring case.
KA_API void kaSetFontNameList(HWND control, unsigned short kind, const char* select, int withVertical);
// Fills in the sizes of family and selects the first at least points (12 when
// points < 2), or the last one.
KA_API void kaSetFontSize(HWND control, unsigned short kind, const char* family, int points);
