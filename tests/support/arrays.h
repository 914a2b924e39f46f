// Conversions between the library's value arrays and vectors, so a test can
// state a whole array's content in one comparison.
#pragma once
#include <vector>

template <typename T, typename Array>
std::vector<T> contentOf(const Array& a)
{
    std::vector<T> out;
    for (int i = 0; i < a.count(); ++i) out.push_back(a[i]);
    return out;
}

template <typename Array, typename T>
Array arrayOf(const std::vector<T>& v)
{
    Array a;
    for (const T& x : v) a.append(x);
    return a;
}
