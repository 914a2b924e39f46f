// Growable arrays of 64-bit integers and doubles with statistics. A reserved null
// value marks a missing element (the smallest 64-bit integer, or negative infinity);
// the statistics skip it and answer the null value (negative infinity for the
// double results) when nothing is left to compute.
#pragma once
#include "arrayblock.h"
#include "memory.h"

#pragma pack(push, 1)

class KA_API cArrayBigInt : public cVar {
public:
    cArrayBigInt();
    // n elements 0, 1, 2, ...
    explicit cArrayBigInt(int n);
    cArrayBigInt(const cArrayBigInt& other);
    cArrayBigInt& operator=(const cArrayBigInt& other);
    ~cArrayBigInt();

    int count() const;
    __int64 operator[](int i) const;
    __int64 value(int i) const;
    __int64* valuePtr() const;

    // The index of the (first) value appended, or -1 (nothing added).
    int append(__int64 v);
    long append(const __int64* values, long n);
    // The index after the inserted run (i when it lands at the end), or -1.
    int insert(long i, const __int64* values, long n);
    void replace(int i, __int64 v);
    void replace(long i, const __int64* values, long n);
    void remove(int i);
    void removeAll();
    void setCount(int n);

    int find(__int64 v) const;
    void invert();
    void sort(SortDirection dir);

    __int64 sum() const;
    __int64 largest() const;
    __int64 smallest() const;
    double average() const;
    // Squared deviations of the non-null elements over the count of all elements.
    double var() const;
    double samVar() const;
    double std() const;
    double samStd() const;

private:
    cArrayBlock elements;  // __int64 elements
};

class KA_API cArrayDouble : public cVar {
public:
    cArrayDouble();
    explicit cArrayDouble(int n);
    cArrayDouble(const cArrayDouble& other);
    cArrayDouble& operator=(const cArrayDouble& other);
    ~cArrayDouble();

    int count() const;
    double operator[](int i) const;
    double value(int i) const;
    double* valuePtr() const;

    int append(double v);
    long append(const double* values, long n);
    int insert(long i, const double* values, long n);
    void replace(int i, double v);
    void replace(long i, const double* values, long n);
    void remove(int i);
    void removeAll();
    void setCount(int n);

    int find(double v) const;
    void invert();
    void sort(SortDirection dir);

    double sum() const;
    double largest() const;
    double smallest() const;
    double average() const;
    double var() const;
    double samVar() const;
    double std() const;
    double samStd() const;

private:
    cArrayBlock elements;  // double elements
};

#pragma pack(pop)
