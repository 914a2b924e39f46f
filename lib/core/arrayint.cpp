#include "arrayint.h"
#include <climits>
#include <cmath>
#include "arraystore.h"

using namespace kaStore;

// ---- cArrayInt ----------------------------------------------------------------------

cArrayInt::cArrayInt() : elements{nullptr, 0, 0} {}

cArrayInt::cArrayInt(const cArrayInt& other) : cBase(), elements{nullptr, 0, 0}
{
    assignValues(elements, other.elements, sizeof(long));
}

cArrayInt& cArrayInt::operator=(const cArrayInt& other)
{
    assignValues(elements, other.elements, sizeof(long));
    return *this;
}

cArrayInt::~cArrayInt() { release(elements); }

int cArrayInt::count() const { return elements.count; }

long cArrayInt::operator[](int i) const { return value(i); }

long cArrayInt::value(int i) const { return get<long>(elements, i); }

long* cArrayInt::valuePtr(int i) const { return elements.data ? at<long>(elements) + i : nullptr; }

int cArrayInt::append(long v) { return kaStore::append(elements, v); }

int cArrayInt::append(const long* values, long n) { return appendRun(elements, values, n); }

int cArrayInt::insert(int i, long v) { return kaStore::insert(elements, i, v); }

int cArrayInt::insert(long i, const long* values, long n) { return insertRun(elements, i, values, n); }

void cArrayInt::replace(int i, long v) { put(elements, i, v); }

void cArrayInt::replace(long i, const long* values, long n) { replaceRun(elements, i, values, n); }

void cArrayInt::remove(int i) { removeOne<long>(elements, i); }

void cArrayInt::remove(int i, int n) { removeRun(elements, i, n, sizeof(long)); }

void cArrayInt::removeAll() { elements.count = 0; }

void cArrayInt::setCount(int n) { kaStore::setCount<long>(elements, n); }

int cArrayInt::find(long v) const { return kaStore::find(elements, v); }

int cArrayInt::equals(const cArrayInt& other) const
{
    if (elements.count != other.elements.count) return 0;
    for (int k = 0; k < elements.count; ++k)
        if (at<long>(elements)[k] != at<long>(other.elements)[k]) return 0;
    return 1;
}

void cArrayInt::fill(long v) { kaStore::fill(elements, v); }

void cArrayInt::fillOrder(long start, long n)
{
    elements.count = 0;
    if (n >= 1 && expandSize(elements, n, sizeof(long))) writeSequence(elements, start, n);
}

void cArrayInt::sort(SortDirection dir) { sortValues<long>(elements, dir); }

// ---- cArrayFloat --------------------------------------------------------------------

cArrayFloat::cArrayFloat() : elements{nullptr, 0, 0} {}

cArrayFloat::cArrayFloat(const cArrayFloat& other) : cBase(), elements{nullptr, 0, 0}
{
    assignValues(elements, other.elements, sizeof(float));
}

cArrayFloat& cArrayFloat::operator=(const cArrayFloat& other)
{
    assignValues(elements, other.elements, sizeof(float));
    return *this;
}

cArrayFloat::~cArrayFloat() { release(elements); }

int cArrayFloat::count() const { return elements.count; }

int cArrayFloat::append(float v) { return kaStore::append(elements, v); }

int cArrayFloat::insert(int i, float v) { return kaStore::insert(elements, i, v); }

void cArrayFloat::replace(int i, float v) { put(elements, i, v); }

void cArrayFloat::remove(int i) { removeOne<float>(elements, i); }

void cArrayFloat::removeAll() { elements.count = 0; }

float cArrayFloat::getValue(int i) const { return get<float>(elements, i); }

// ---- cArrayPtr ----------------------------------------------------------------------

cArrayPtr::cArrayPtr() : elements{nullptr, 0, 0} {}

cArrayPtr::cArrayPtr(const cArrayPtr& other) : cBase(), elements{nullptr, 0, 0}
{
    assignValues(elements, other.elements, sizeof(void*));
}

cArrayPtr& cArrayPtr::operator=(const cArrayPtr& other)
{
    assignValues(elements, other.elements, sizeof(void*));
    return *this;
}

cArrayPtr::~cArrayPtr() { release(elements); }

int cArrayPtr::count() const { return elements.count; }

int cArrayPtr::append(void* p) { return kaStore::append(elements, p); }

int cArrayPtr::insert(int i, void* p) { return kaStore::insert(elements, i, p); }

void cArrayPtr::replace(int i, void* p) { put(elements, i, p); }

void cArrayPtr::remove_ptr_left(int i) { removeOne<void*>(elements, i); }

void cArrayPtr::removeAll() { elements.count = 0; }

void* cArrayPtr::getPtr(int i) const { return get<void*>(elements, i); }

int cArrayPtr::find(void* p) const { return kaStore::find(elements, p); }

// ---- cArrayPoint --------------------------------------------------------------------

namespace {

tagPOINT point(int x, int y)
{
    tagPOINT p;
    p.x = x;
    p.y = y;
    return p;
}

// Truncated toward zero; values beyond int are held at its ends instead of overflowing.
int scaled(int v, int origin, float factor)
{
    double r = std::trunc((static_cast<double>(v) - origin) * factor + origin);
    if (!(r >= INT_MIN)) return r != r ? 0 : INT_MIN;  // NaN reads as 0
    return r > INT_MAX ? INT_MAX : static_cast<int>(r);
}

int signOf(long long v) { return (v > 0) - (v < 0); }

unsigned long long sizeOf(long long v) { return static_cast<unsigned long long>(v < 0 ? -v : v); }

// The sign of a * b - c * d, exact for differences of two ints: each such factor
// is below 2^32 in size, so each product's size fits 64 unsigned bits (though a
// signed product, or the difference of two, would not).
int compareProducts(long long a, long long b, long long c, long long d)
{
    int first = signOf(a) * signOf(b);
    int second = signOf(c) * signOf(d);
    if (first != second || first == 0) return first > second ? 1 : first < second ? -1 : 0;
    unsigned long long x = sizeOf(a) * sizeOf(b), y = sizeOf(c) * sizeOf(d);
    int bySize = x > y ? 1 : x < y ? -1 : 0;
    return first > 0 ? bySize : -bySize;
}

// Which side of the edge a -> b the point p lies: > 0 left, < 0 right.
int side(const tagPOINT& a, const tagPOINT& b, const tagPOINT& p)
{
    return compareProducts(static_cast<long long>(b.x) - a.x, static_cast<long long>(p.y) - a.y,
                           static_cast<long long>(p.x) - a.x, static_cast<long long>(b.y) - a.y);
}

}  // namespace

cArrayPoint::cArrayPoint() : elements{nullptr, 0, 0} {}

cArrayPoint::cArrayPoint(const cArrayPoint& other) : cBase(), elements{nullptr, 0, 0}
{
    assignValues(elements, other.elements, sizeof(tagPOINT));
}

cArrayPoint& cArrayPoint::operator=(const cArrayPoint& other)
{
    assignValues(elements, other.elements, sizeof(tagPOINT));
    return *this;
}

cArrayPoint::~cArrayPoint() { release(elements); }

int cArrayPoint::count() const { return elements.count; }

int cArrayPoint::append(tagPOINT p) { return kaStore::append(elements, p); }

int cArrayPoint::append(int x, int y) { return append(point(x, y)); }

int cArrayPoint::insert(int i, tagPOINT p) { return kaStore::insert(elements, i, p); }

int cArrayPoint::insert(int i, int x, int y) { return insert(i, point(x, y)); }

void cArrayPoint::replace(int i, int x, int y) { put(elements, i, point(x, y)); }

void cArrayPoint::remove(int i) { removeOne<tagPOINT>(elements, i); }

void cArrayPoint::removeAll() { elements.count = 0; }

tagPOINT cArrayPoint::getPoint(int i) const { return inRange(elements, i) ? at<tagPOINT>(elements)[i] : point(0, 0); }

void cArrayPoint::offset(int i, int dx, int dy)
{
    if (!inRange(elements, i)) return;
    tagPOINT& p = at<tagPOINT>(elements)[i];
    p.x += dx;
    p.y += dy;
}

void cArrayPoint::offsetAll(int dx, int dy)
{
    if (dx == 0 && dy == 0) return;
    for (int k = 0; k < elements.count; ++k) offset(k, dx, dy);
}

void cArrayPoint::scaleAll(int ox, int oy, float sx, float sy)
{
    for (int k = 0; k < elements.count; ++k) {
        tagPOINT& p = at<tagPOINT>(elements)[k];
        p = point(scaled(p.x, ox, sx), scaled(p.y, oy, sy));
    }
}

bool cArrayPoint::contains(tagPOINT p) const
{
    const tagPOINT* v = at<tagPOINT>(elements);
    int winding = 0;
    for (int k = 0; k < elements.count; ++k) {
        const tagPOINT& a = v[k];
        const tagPOINT& b = v[(k + 1) % elements.count];
        if (a.y <= p.y) {
            if (b.y > p.y && side(a, b, p) > 0) ++winding;
        } else if (b.y <= p.y && side(a, b, p) < 0) {
            --winding;
        }
    }
    return winding != 0;
}
