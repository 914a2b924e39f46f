// The library's 8-bit text string. Copies share one reference-counted record whose
// text is never changed once built: every change makes a record of exactly the
// needed size, so passing strings by value costs one count step and no copy.
// The count is a plain integer: a string and its copies belong to one thread.
#pragma once
#include "cstr.h"
#include "memory.h"

class cStringW;

#pragma pack(push, 1)

class KA_API cStringData : public cBase {
public:
    char* text;  // length + 1 bytes from ka_malloc, or null when empty
    int length;
    int refs;
};

class KA_API cStringA : public cVar {
public:
    cStringA();
    cStringA(const char* p);
    cStringA(const cStringA& other);
    ~cStringA();

    cStringA& set(const char* p);
    cStringA& operator=(const char* p);
    cStringA& operator=(const cStringA& other);
    cStringA& operator=(const unsigned short* w);
    cStringA& operator=(const cStringW& w);
    void setBlank();
    cStringA& set(int n);
    cStringA& set(long n);
    cStringA& set(unsigned int n);
    cStringA& set(unsigned long n);
    // The smallest 64-bit value is the null number and gives the blank string.
    cStringA& set(__int64 n);

    cStringA& append(const char* p);
    cStringA& operator<<(const char* p);
    cStringA& operator+=(const char* p);
    cStringA& operator<<(const cStringA& s);
    cStringA& operator+=(const cStringA& s);
    cStringA& operator<<(char c);
    cStringA& operator<<(int n);
    cStringA& operator<<(long n);
    cStringA& operator<<(unsigned long n);
    cStringA& operator<<(__int64 n);

    operator const char*() const;
    const char* getPtr() const;
    int length() const;
    char operator[](int i) const;

    bool hasContent() const;
    bool isBlank() const;
    bool equals(const cStringA& s) const;
    bool equals(const char* p) const;
    bool equalsIgnoreCase(const cStringA& s) const;
    bool equalsIgnoreCase(const char* p) const;

    void toUpper();
    void toLower();
    void trimLeft();
    void trimRight();
    void reverse();
    void removeInterim();
    void replace(const char* find, const char* with, int index);

    int toInt() const;
    int toInt(int base, const char* prefix) const;
    __int64 toBigInt() const;
    __int64 toBigInt(int base, const char* prefix) const;
    // Packed date (flags choose the order of the parts) or time; -1 for a
    // string without text, 0 for text that is not a valid date or time.
    long toDate(int flags) const;
    long toTime() const;

    friend KA_API cStringA operator+(const cStringA& a, const cStringA& b);
    friend KA_API cStringA operator+(const cStringA& a, const char* b);
    friend KA_API cStringA operator+(const char* a, const cStringA& b);
    friend KA_API cStringA operator+(const cStringA& a, int b);
    friend KA_API cStringA operator+(const cStringA& a, long b);
    friend KA_API cStringA operator+(const cStringA& a, unsigned long b);
    friend KA_API cStringA operator+(int a, const cStringA& b);
    friend KA_API cStringA operator+(long a, const cStringA& b);
    friend KA_API cStringA operator+(unsigned long a, const cStringA& b);

private:
    // The XML reader gives the contents it reads records from its own pool.
    friend struct cXMLReading;

    cStringA(const char* a, const char* b);
    void adopt(cStringData* fresh);
    void release();
    void editCopy(void (*edit)(char* text));

    // Never null: an empty string shares a static empty record.
    cStringData* record;
};

KA_API cStringA operator+(const cStringA& a, const cStringA& b);
KA_API cStringA operator+(const cStringA& a, const char* b);
KA_API cStringA operator+(const char* a, const cStringA& b);
KA_API cStringA operator+(const cStringA& a, int b);
KA_API cStringA operator+(const cStringA& a, long b);
KA_API cStringA operator+(const cStringA& a, unsigned long b);
KA_API cStringA operator+(int a, const cStringA& b);
KA_API cStringA operator+(long a, const cStringA& b);
KA_API cStringA operator+(unsigned long a, const cStringA& b);

#pragma pack(pop)
