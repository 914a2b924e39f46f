// The array of texts, each with a number beside it. The texts are the array's own
// copies; an empty text is kept as a null entry.
#pragma once
#include "arrayblock.h"
#include "memory.h"

#pragma pack(push, 1)

class KA_API cArrayStr : public cVar {
public:
    cArrayStr();
    cArrayStr(const cArrayStr& other);
    cArrayStr& operator=(const cArrayStr& other);
    ~cArrayStr();

    int count() const;
    // The new entry's index, or -1 (nothing added) when memory ran short.
    int append(const char* text);
    int append(const char* text, long number);
    int insert(int i, const char* text);
    void replace(int i, const char* text);
    void remove(int i);
    void removeAll();
    void setCount(int n);

    const char* operator[](int i) const;
    const char* text(int i) const;
    long getValue(int i) const;
    int textLength(int i) const;
    int find(const char* text) const;
    int findValue(int number) const;

    // Case-insensitive exchange sort; each number moves with its text.
    void sort(SortDirection dir);
    void invert();
    // Cuts text into trimmed pieces of at most size bytes, never inside a CR LF pair
    // or a double-byte character (flags bit 0: a line end also ends a piece). The new
    // count, or -1 when memory ran short (then none of the pieces stays).
    int appendBySize(const char* text, int size, int flags);

private:
    bool expand();
    bool copyFrom(const cArrayStr& other);
    int appendOwned(char* text, long number);
    void swapEntries(int i, int j);
    void cutTo(int n);

    cArrayBlock texts;  // char* elements
    long* numbers;      // parallel to texts, same capacity
};

#pragma pack(pop)
