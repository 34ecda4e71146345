#include "wux/lang/Array.h"

#include "wux/lang/ArgumentException.h"
#include "wux/lang/String.h"

namespace cpp {
namespace lang {

namespace {

template <typename T> void copyTerminated(T* dst, T const* src, int n) {
    if (dst == nullptr)
        throw ArgumentException(String("The destination pointer is null."), String("ptr"));
    if (src == nullptr)
        throw ArgumentException(String("The source pointer is null."), String("ptr"));
    if (n < 1)
        throw ArgumentException(String("The source length is null."), String("ptr"));

    // Forward, so that nothing after the source's terminator is read; room
    // for the terminator is kept at index n - 1.
    int const limit = n - 1;
    int i = 0;
    while (i < limit && src[i] != 0) {
        dst[i] = src[i];
        ++i;
    }
    dst[i] = 0;
    dst[limit] = 0;
}

} // namespace

void Array::copy(char* dst, char const* src, int n) {
    copyTerminated(dst, src, n);
}

void Array::copy(unsigned short* dst, unsigned short const* src, int n) {
    copyTerminated(dst, src, n);
}

} // namespace lang
} // namespace cpp
