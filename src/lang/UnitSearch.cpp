#include "lang/UnitSearch.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace cpp {
namespace lang {
namespace units {

#if defined(__SSE2__)

namespace {

// Loads eight units without alignment requirements.
__m128i load8(unsigned short const* p) {
    return _mm_loadu_si128(reinterpret_cast<__m128i const*>(p));
}

// Bit 2k of the mask is set when unit k of the two vectors is equal.
unsigned int equalMask(__m128i a, __m128i b) {
    return static_cast<unsigned int>(_mm_movemask_epi8(_mm_cmpeq_epi16(a, b)));
}

} // namespace

unsigned int findUnit(unsigned short const* p, unsigned int from, unsigned int end,
                      unsigned short c) {
    unsigned int i = from;
    if (end - from >= 8 && end > from) {
        __m128i needle = _mm_set1_epi16(static_cast<short>(c));
        for (; end - i >= 8; i += 8) {
            unsigned int mask = equalMask(load8(p + i), needle);
            if (mask != 0)
                return i + static_cast<unsigned int>(__builtin_ctz(mask)) / 2;
        }
    }
    for (; i < end; ++i)
        if (p[i] == c)
            return i;
    return NONE;
}

unsigned int rfindUnit(unsigned short const* p, unsigned int last, unsigned short c) {
    unsigned long long n = static_cast<unsigned long long>(last) + 1; // units [0, last]
    __m128i needle = _mm_set1_epi16(static_cast<short>(c));
    while (n >= 8) {
        unsigned int start = static_cast<unsigned int>(n - 8);
        unsigned int mask = equalMask(load8(p + start), needle);
        if (mask != 0)
            return start + (31u - static_cast<unsigned int>(__builtin_clz(mask))) / 2;
        n -= 8;
    }
    while (n > 0) {
        --n;
        if (p[n] == c)
            return static_cast<unsigned int>(n);
    }
    return NONE;
}

unsigned int firstDifference(unsigned short const* a, unsigned short const* b, unsigned int n) {
    unsigned int i = 0;
    for (; n - i >= 8; i += 8) {
        unsigned int mask = equalMask(load8(a + i), load8(b + i));
        if (mask != 0xFFFFu)
            return i + static_cast<unsigned int>(__builtin_ctz(~mask & 0xFFFFu)) / 2;
    }
    for (; i < n; ++i)
        if (a[i] != b[i])
            return i;
    return n;
}

#else

unsigned int findUnit(unsigned short const* p, unsigned int from, unsigned int end,
                      unsigned short c) {
    for (unsigned int i = from; i < end; ++i)
        if (p[i] == c)
            return i;
    return NONE;
}

unsigned int rfindUnit(unsigned short const* p, unsigned int last, unsigned short c) {
    for (unsigned int i = last + 1; i-- > 0;)
        if (p[i] == c)
            return i;
    return NONE;
}

unsigned int firstDifference(unsigned short const* a, unsigned short const* b, unsigned int n) {
    for (unsigned int i = 0; i < n; ++i)
        if (a[i] != b[i])
            return i;
    return n;
}

#endif

bool contains(unsigned short const* set, unsigned int n, unsigned short c) {
    for (unsigned int i = 0; i < n; ++i)
        if (set[i] == c)
            return true;
    return false;
}

} // namespace units
} // namespace lang
} // namespace cpp
