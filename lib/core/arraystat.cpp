#include "arraystat.h"
#include <climits>
#include <cmath>
#include "arraystore.h"

using namespace kaStore;

namespace {

const int kTypeInts = 16;
const int kTypeDoubles = 17;
const __int64 kNullBigInt = LLONG_MIN;
const double kNullDouble = -HUGE_VAL;

// 64-bit sums wrap around rather than overflow.
__int64 add(__int64 a, __int64 b)
{
    return static_cast<__int64>(static_cast<unsigned long long>(a) + static_cast<unsigned long long>(b));
}

double add(double a, double b) { return a + b; }

// What the statistics need from one pass over the non-null elements.
template <class T>
struct Summary {
    int n = 0;
    T sum = 0;
    T lo = 0;
    T hi = 0;
};

template <class T>
Summary<T> summarise(const cArrayBlock& b, T null)
{
    Summary<T> s;
    for (int k = 0; k < b.count; ++k) {
        T v = at<T>(b)[k];
        if (v == null) continue;
        s.sum = add(s.sum, v);
        if (s.n == 0 || v < s.lo) s.lo = v;
        if (s.n == 0 || v > s.hi) s.hi = v;
        ++s.n;
    }
    return s;
}

template <class T>
T sumOf(const cArrayBlock& b, T null)
{
    return b.count == 0 ? null : summarise(b, null).sum;
}

template <class T>
T largestOf(const cArrayBlock& b, T null)
{
    Summary<T> s = summarise(b, null);
    return s.n ? s.hi : null;
}

template <class T>
T smallestOf(const cArrayBlock& b, T null)
{
    Summary<T> s = summarise(b, null);
    return s.n ? s.lo : null;
}

template <class T>
double averageOf(const cArrayBlock& b, T null)
{
    Summary<T> s = summarise(b, null);
    return s.n ? static_cast<double>(s.sum) / s.n : kNullDouble;
}

// The squared deviations of the non-null elements from their average, divided by
// the count of all elements less lost (1 for the sample variance).
template <class T>
double varianceOf(const cArrayBlock& b, T null, int lost)
{
    if (b.count < 1 + lost) return kNullDouble;
    double average = averageOf(b, null);
    if (average == kNullDouble) return kNullDouble;
    double squares = 0;
    for (int k = 0; k < b.count; ++k) {
        T v = at<T>(b)[k];
        if (v == null) continue;
        double d = static_cast<double>(v) - average;
        squares += d * d;
    }
    return squares / (b.count - lost);
}

double root(double v) { return v == kNullDouble ? v : std::sqrt(v); }

// Capacity max(1, n) and the elements 0, 1, 2, ...
template <class T>
void makeSequence(cArrayBlock& b, int n)
{
    if (expandSize(b, n > 1 ? n : 1, sizeof(T))) writeSequence<T>(b, 0, n);
}

}  // namespace

// ---- cArrayBigInt -------------------------------------------------------------------

cArrayBigInt::cArrayBigInt() : elements{nullptr, 0, 0} { type = kTypeInts; }

cArrayBigInt::cArrayBigInt(int n) : elements{nullptr, 0, 0}
{
    type = kTypeInts;
    makeSequence<__int64>(elements, n);
}

cArrayBigInt::cArrayBigInt(const cArrayBigInt& other) : cVar(other), elements{nullptr, 0, 0}
{
    type = kTypeInts;
    assignValues(elements, other.elements, sizeof(__int64));
}

cArrayBigInt& cArrayBigInt::operator=(const cArrayBigInt& other)
{
    cVar::operator=(other);
    assignValues(elements, other.elements, sizeof(__int64));
    return *this;
}

cArrayBigInt::~cArrayBigInt() { release(elements); }

int cArrayBigInt::count() const { return elements.count; }

__int64 cArrayBigInt::operator[](int i) const { return value(i); }

__int64 cArrayBigInt::value(int i) const { return get<__int64>(elements, i); }

__int64* cArrayBigInt::valuePtr() const { return at<__int64>(elements); }

int cArrayBigInt::append(__int64 v) { return kaStore::append(elements, v); }

long cArrayBigInt::append(const __int64* values, long n) { return appendRun(elements, values, n); }

int cArrayBigInt::insert(long i, const __int64* values, long n) { return insertRun(elements, i, values, n); }

void cArrayBigInt::replace(int i, __int64 v) { put(elements, i, v); }

void cArrayBigInt::replace(long i, const __int64* values, long n) { replaceRun(elements, i, values, n); }

void cArrayBigInt::remove(int i) { removeOne<__int64>(elements, i); }

void cArrayBigInt::removeAll() { elements.count = 0; }

void cArrayBigInt::setCount(int n) { kaStore::setCount<__int64>(elements, n); }

int cArrayBigInt::find(__int64 v) const { return kaStore::find(elements, v); }

void cArrayBigInt::invert() { kaStore::invert<__int64>(elements); }

void cArrayBigInt::sort(SortDirection dir) { sortValues<__int64>(elements, dir); }

__int64 cArrayBigInt::sum() const { return sumOf(elements, kNullBigInt); }

__int64 cArrayBigInt::largest() const { return largestOf(elements, kNullBigInt); }

__int64 cArrayBigInt::smallest() const { return smallestOf(elements, kNullBigInt); }

double cArrayBigInt::average() const { return averageOf(elements, kNullBigInt); }

double cArrayBigInt::var() const { return varianceOf(elements, kNullBigInt, 0); }

double cArrayBigInt::samVar() const { return varianceOf(elements, kNullBigInt, 1); }

double cArrayBigInt::std() const { return root(var()); }

double cArrayBigInt::samStd() const { return root(samVar()); }

// ---- cArrayDouble -------------------------------------------------------------------

cArrayDouble::cArrayDouble() : elements{nullptr, 0, 0} { type = kTypeDoubles; }

cArrayDouble::cArrayDouble(int n) : elements{nullptr, 0, 0}
{
    type = kTypeDoubles;
    makeSequence<double>(elements, n);
}

cArrayDouble::cArrayDouble(const cArrayDouble& other) : cVar(other), elements{nullptr, 0, 0}
{
    type = kTypeDoubles;
    assignValues(elements, other.elements, sizeof(double));
}

cArrayDouble& cArrayDouble::operator=(const cArrayDouble& other)
{
    cVar::operator=(other);
    assignValues(elements, other.elements, sizeof(double));
    return *this;
}

cArrayDouble::~cArrayDouble() { release(elements); }

int cArrayDouble::count() const { return elements.count; }

double cArrayDouble::operator[](int i) const { return value(i); }

double cArrayDouble::value(int i) const { return get<double>(elements, i); }

double* cArrayDouble::valuePtr() const { return at<double>(elements); }

int cArrayDouble::append(double v) { return kaStore::append(elements, v); }

long cArrayDouble::append(const double* values, long n) { return appendRun(elements, values, n); }

int cArrayDouble::insert(long i, const double* values, long n) { return insertRun(elements, i, values, n); }

void cArrayDouble::replace(int i, double v) { put(elements, i, v); }

void cArrayDouble::replace(long i, const double* values, long n) { replaceRun(elements, i, values, n); }

void cArrayDouble::remove(int i) { removeOne<double>(elements, i); }

void cArrayDouble::removeAll() { elements.count = 0; }

void cArrayDouble::setCount(int n) { kaStore::setCount<double>(elements, n); }

int cArrayDouble::find(double v) const { return kaStore::find(elements, v); }

void cArrayDouble::invert() { kaStore::invert<double>(elements); }

void cArrayDouble::sort(SortDirection dir) { sortValues<double>(elements, dir); }

double cArrayDouble::sum() const { return sumOf(elements, kNullDouble); }

double cArrayDouble::largest() const { return largestOf(elements, kNullDouble); }

double cArrayDouble::smallest() const { return smallestOf(elements, kNullDouble); }

double cArrayDouble::average() const { return averageOf(elements, kNullDouble); }

double cArrayDouble::var() const { return varianceOf(elements, kNullDouble, 0); }

double cArrayDouble::samVar() const { return varianceOf(elements, kNullDouble, 1); }

double cArrayDouble::std() const { return root(var()); }

double cArrayDouble::samStd() const { return root(samVar()); }
