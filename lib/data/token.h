// Splits a text into pieces at delimiter bytes, at white space or at line ends.
// Tokens are cut out of the object's own copy of the text, so the pointers that
// next() hands out stay valid while that copy lives.
#pragma once
#include "core/stringa.h"

struct cTokenState;

#pragma pack(push, 1)

class KA_API cToken : public cBase {
public:
    cToken();
    cToken(const char* text, const char* delimiters);
    cToken(const char* text, const char* delimiters, bool lineMode);
    // Copies share one text and one position: what one of them reads, the other skips.
    cToken(const cToken& other);
    cToken& operator=(const cToken& other);
    ~cToken();

    void set(const char* text, const char* delimiters);
    void set(const char* text, const char* delimiters, bool lineMode);
    void setWhiteSpaceDelimiter();
    void setDelimiter(const char* delimiters);

    // Null at the end of the text.
    char* next();
    bool nextTrimmed(cStringA& out);
    bool nextTrimmedDiscardBlank(cStringA& out);
    cToken& operator>>(char** out);

private:
    void share(cTokenState* shared);
    void release();

    cTokenState* state;
    bool whiteSpace;
    bool lineMode;
};

#pragma pack(pop)
