// A cursor over its own copy of a text that reads names, quoted strings, numbers,
// single bytes, expected literals, lines and XML comments.
#pragma once
#include "core/stringa.h"

#pragma pack(push, 1)

class KA_API cParser : public cBase {
public:
    enum { modePlain = 0, modeXMLName = 1 };
    enum { tokenEnd = 0, tokenIdentifier = 1, tokenChar = 2, tokenString = 3, tokenNumber = 4, tokenOpenString = 5 };

    cParser();
    explicit cParser(int mode);
    ~cParser();
    // The scanner owns buffers and pointers into them: a copy would free them twice.
    cParser(const cParser&) = delete;
    cParser& operator=(const cParser&) = delete;

    void set(const char* text);
    int getMaxLength() const;
    int getOffset() const;
    const char* getPointer() const;
    bool isWhite() const;
    void skipWhite();
    void putback();

    bool needIdentifier(cStringA& out);
    int getToken(cStringA& out);
    bool need(char expected);
    bool needString(const char* expected);
    bool removeXMLComment(cStringA& error);
    bool getLine(cStringA& out);

private:
    // The XML reader scans character data itself and moves the cursor past it.
    friend class cXMLElement;
    friend class cXML;
    friend struct cXMLReading;
    // Set in mode while the text is the caller's, not a copy.
    enum { kBorrowed = 0x10000 };

    // set() without the copy; a friend, not a member, so that it adds no export.
    friend void borrowText(cParser& parser, const char* text);

    bool getIdentifier();
    const char* takeName(const char* p);
    // Copies [from, to) of the text into the token buffer.
    const char* slice(const char* from, const char* to);
    void moveTo(const char* p);
    void freeText();

    int mode;
    char* text;
    const char* position;
    char* token;
    const char* lastStart;
    int length;
};

#pragma pack(pop)
