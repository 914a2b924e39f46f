// A small wide (UTF-16) string for the places where the platform wants wide
// text. Copies share one reference-counted record, as cStringA's do.
#pragma once
#include "core/memory.h"

#pragma pack(push, 1)

class KA_API cStringWData : public cBase {
public:
    unsigned short* text;  // length + 1 units from ka_malloc, or null when empty
    int length;
    int refs;
};

class KA_API cStringW : public cVar {
public:
    cStringW();
    cStringW(const unsigned short* text);
    cStringW(const cStringW& other);
    ~cStringW();

    cStringW& operator=(const cStringW& other);
    cStringW& operator=(const unsigned short* text);
    cStringW& operator=(unsigned short* const text);
    // Setting the string from its own pointer changes nothing.
    void set(const unsigned short* text);
    // Converts as allocWstring does.
    void set(const char* text);
    void setBlank();

    unsigned int getLength() const;
    const unsigned short* getPtr() const;
    bool isBlank() const;

private:
    void adopt(cStringWData* fresh);
    void release();

    // Never null: every empty string shares one static record.
    cStringWData* record;
};

#pragma pack(pop)

// A wide copy of an 8-bit text (null gives a lone terminator), converted by the
// C runtime's current locale; a byte it cannot convert becomes '?', and a lead
// byte (0x80 or above) left without its partner at the end is dropped. Returns
// null when memory is short. Release with freeWstring.
KA_API unsigned short* allocWstring(const char* text);
KA_API void freeWstring(unsigned short* text);
