// Growable arrays of 32-bit integers, floats, pointers and points. Blocks grow by
// 10000 elements at a time (runs by their own length) and never shrink; an
// element that cannot be added leaves -1 as the result and "No memory" in the
// error channel. Negative indexes are refused everywhere.
#pragma once
#include <windows.h>
#include "arrayblock.h"
#include "memory.h"

#pragma pack(push, 1)

class KA_API cArrayInt : public cBase {
public:
    cArrayInt();
    cArrayInt(const cArrayInt& other);
    cArrayInt& operator=(const cArrayInt& other);
    ~cArrayInt();

    int count() const;
    long operator[](int i) const;
    long value(int i) const;
    // Unchecked: the address element i would have.
    long* valuePtr(int i) const;

    int append(long v);
    // The index of the first value appended, or -1.
    int append(const long* values, long n);
    int insert(int i, long v);
    // The index after the inserted run (i when it lands at the end), or -1.
    int insert(long i, const long* values, long n);
    void replace(int i, long v);
    // Overwrites from i on, stopping at the end.
    void replace(long i, const long* values, long n);
    void remove(int i);
    // n reaching past the end cuts the array at i.
    void remove(int i, int n);
    void removeAll();
    void setCount(int n);

    int find(long v) const;
    int equals(const cArrayInt& other) const;
    void fill(long v);
    // n elements start, start + 1, ...
    void fillOrder(long start, long n);
    void sort(SortDirection dir);

private:
    cArrayBlock elements;  // long elements
};

class KA_API cArrayFloat : public cBase {
public:
    cArrayFloat();
    cArrayFloat(const cArrayFloat& other);
    cArrayFloat& operator=(const cArrayFloat& other);
    ~cArrayFloat();

    int count() const;
    int append(float v);
    int insert(int i, float v);
    void replace(int i, float v);
    void remove(int i);
    void removeAll();
    float getValue(int i) const;

private:
    cArrayBlock elements;  // float elements
};

// The pointees stay the caller's; a copy holds the same pointers in a block of its own.
class KA_API cArrayPtr : public cBase {
public:
    cArrayPtr();
    cArrayPtr(const cArrayPtr& other);
    cArrayPtr& operator=(const cArrayPtr& other);
    ~cArrayPtr();

    int count() const;
    int append(void* p);
    int insert(int i, void* p);
    void replace(int i, void* p);
    void remove_ptr_left(int i);
    void removeAll();
    void* getPtr(int i) const;
    int find(void* p) const;

private:
    cArrayBlock elements;  // void* elements
};

// The points of a polygon, closed from the last point back to the first.
class KA_API cArrayPoint : public cBase {
public:
    cArrayPoint();
    cArrayPoint(const cArrayPoint& other);
    cArrayPoint& operator=(const cArrayPoint& other);
    ~cArrayPoint();

    int count() const;
    int append(tagPOINT p);
    int append(int x, int y);
    int insert(int i, tagPOINT p);
    int insert(int i, int x, int y);
    void replace(int i, int x, int y);
    void remove(int i);
    void removeAll();
    tagPOINT getPoint(int i) const;

    void offset(int i, int dx, int dy);
    void offsetAll(int dx, int dy);
    // Every point moves to ((x - ox) * sx + ox, (y - oy) * sy + oy), truncated toward zero.
    void scaleAll(int ox, int oy, float sx, float sy);
    // Non-zero winding: inside parts the polygon overlaps itself count as inside.
    bool contains(tagPOINT p) const;

private:
    cArrayBlock elements;  // tagPOINT elements
};

#pragma pack(pop)
