#include "token.h"
#include <cstring>

// Shared by every copy of one cToken; the last one to go frees it.
struct cTokenState : public cBase {
    char* text;
    char* delimiters;
    char* position;
    int refs;
};

namespace {

// Null for a null or empty text, as the state block expects.
char* copyOrNull(const char* s) { return s && *s ? strDuplicate(s) : nullptr; }

bool atEnd(const cTokenState* s) { return !s || !s->position || !*s->position; }

// Cuts the token that starts at the position; returns its end, the new position.
char* cutAtWhite(char* p)
{
    for (; *p; ++p) {
        if (kaIsWhiteChar(*p)) {
            *p++ = 0;
            while (kaIsWhiteChar(*p)) ++p;
            return p;
        }
    }
    return p;
}

char* cutAtDelimiter(char* p, const char* delimiters, bool lineMode)
{
    for (; *p; ++p) {
        if (delimiters && strchr(delimiters, *p)) {
            *p = 0;
            return p + 1;
        }
        if (lineMode && *p == '\n') {
            *p = 0;
            return p + 1;
        }
        if (lineMode && *p == '\r') {
            *p++ = 0;
            if (*p == '\n') *p++ = 0;
            return p;
        }
    }
    return p;
}

}  // namespace

cToken::cToken() : state(nullptr), whiteSpace(false), lineMode(false)
{
    share(new cTokenState());
}

cToken::cToken(const char* text, const char* delimiters) : cToken()
{
    set(text, delimiters);
}

cToken::cToken(const char* text, const char* delimiters, bool line) : cToken()
{
    set(text, delimiters, line);
}

cToken::cToken(const cToken& other) : cBase(), state(nullptr), whiteSpace(false), lineMode(other.lineMode)
{
    share(other.state);
}

cToken& cToken::operator=(const cToken& other)
{
    if (this != &other) {
        cTokenState* shared = other.state;
        if (shared) ++shared->refs;  // before release: other may share our block
        release();
        state = shared;
        whiteSpace = false;
        lineMode = other.lineMode;
    }
    return *this;
}

cToken::~cToken() { release(); }

void cToken::share(cTokenState* shared)
{
    state = shared;
    if (state) ++state->refs;
}

void cToken::release()
{
    if (state && --state->refs < 1) {
        ka_free(state->text);
        ka_free(state->delimiters);
        delete state;
    }
    state = nullptr;
}

void cToken::set(const char* text, const char* delimiters) { set(text, delimiters, false); }

void cToken::set(const char* text, const char* delimiters, bool line)
{
    whiteSpace = false;
    lineMode = line;
    if (!state) return;
    // Copies first: text or delimiters may point into the old copies.
    char* newText = copyOrNull(text);
    char* newDelimiters = newText ? copyOrNull(delimiters) : nullptr;
    ka_free(state->text);
    ka_free(state->delimiters);
    state->text = newText;
    state->delimiters = newDelimiters;
    state->position = newText;
}

void cToken::setWhiteSpaceDelimiter() { whiteSpace = true; }

void cToken::setDelimiter(const char* delimiters)
{
    whiteSpace = false;
    if (!state) return;
    char* copy = copyOrNull(delimiters);
    ka_free(state->delimiters);
    state->delimiters = copy;
}

char* cToken::next()
{
    if (atEnd(state)) return nullptr;
    char* token = state->position;
    state->position = whiteSpace ? cutAtWhite(token) : cutAtDelimiter(token, state->delimiters, lineMode);
    return token;
}

bool cToken::nextTrimmed(cStringA& out)
{
    const char* token = next();
    out = token;
    out.trimLeft();
    out.trimRight();
    return token != nullptr;
}

bool cToken::nextTrimmedDiscardBlank(cStringA& out)
{
    while (nextTrimmed(out)) {
        if (out.hasContent()) return true;
    }
    return false;
}

cToken& cToken::operator>>(char** out)
{
    char* token = atEnd(state) ? nullptr : next();
    if (out) *out = token;
    return *this;
}
