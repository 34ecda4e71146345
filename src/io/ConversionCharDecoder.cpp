#include "io/ConversionCharDecoder.h"

#include "wux/lang/FormatException.h"
#include "wux/lang/OutOfMemoryException.h"
#include "wux/text/Conversion.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace cpp {
namespace io {
using cpp::lang::FormatException;
using cpp::lang::OutOfMemoryException;
using cpp::text::EncodingType;

namespace {

/// The offset just past the last line-feed byte among the \p n bytes at
/// \p p; 0 when there is none.
unsigned int pastLastLineFeed(unsigned char const* p, unsigned int n) {
    while (n != 0) {
        if (p[n - 1] == 0x0A)
            return n;
        --n;
    }
    return 0;
}

/// Decodes the \p n bytes at \p src when they are well-formed UTF-8 (no
/// overlong form, no surrogate code point, nothing above U+10FFFF, no cut
/// sequence), writing at most n units to \p dst and their count to
/// \p units. Returns false for anything else, which is then left to the
/// platform, so that the units are always those the platform would make.
/// Runs of ASCII go sixteen bytes at a time where SSE2 is there.
bool decodeWellFormedUTF8(unsigned char const* src, unsigned int n, unsigned short* dst,
                          unsigned int* units) {
    unsigned char const* s = src;
    unsigned char const* const end = src + n;
    unsigned short* d = dst;
    while (s < end) {
#if defined(__SSE2__)
        // Sixteen bytes are widened at once; when some of them are not
        // ASCII, only the ASCII ones before them count, and the units
        // written for the rest are overwritten next. Every unit written
        // lies within the n allowed, since no byte makes more than one.
        __m128i const zero = _mm_setzero_si128();
        while (end - s >= 16) {
            __m128i const v = _mm_loadu_si128(reinterpret_cast<__m128i const*>(s));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_unpacklo_epi8(v, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 8), _mm_unpackhi_epi8(v, zero));
            unsigned int const high = static_cast<unsigned int>(_mm_movemask_epi8(v));
            if (high != 0) {
                unsigned int const ascii = static_cast<unsigned int>(__builtin_ctz(high));
                s += ascii;
                d += ascii;
                break;
            }
            s += 16;
            d += 16;
        }
        if (s == end)
            break;
#endif
        unsigned int const c = *s;
        if (c < 0x80) {
            *d++ = static_cast<unsigned short>(c);
            ++s;
            continue;
        }
        std::ptrdiff_t const left = end - s;
        if (c >= 0xC2 && c <= 0xDF) {
            if (left < 2 || (s[1] & 0xC0) != 0x80)
                return false;
            *d++ = static_cast<unsigned short>(((c & 0x1F) << 6) | (s[1] & 0x3Fu));
            s += 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            if (left < 3 || (s[1] & 0xC0) != 0x80 || (s[2] & 0xC0) != 0x80)
                return false;
            unsigned int const cp = ((c & 0x0F) << 12) | ((s[1] & 0x3Fu) << 6) | (s[2] & 0x3Fu);
            if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))
                return false;
            *d++ = static_cast<unsigned short>(cp);
            s += 3;
        } else if (c >= 0xF0 && c <= 0xF4) {
            if (left < 4 || (s[1] & 0xC0) != 0x80 || (s[2] & 0xC0) != 0x80 || (s[3] & 0xC0) != 0x80)
                return false;
            unsigned int const cp = ((c & 0x07) << 18) | ((s[1] & 0x3Fu) << 12) |
                                    ((s[2] & 0x3Fu) << 6) | (s[3] & 0x3Fu);
            if (cp < 0x10000 || cp > 0x10FFFF)
                return false;
            *d++ = static_cast<unsigned short>(0xD800 + ((cp - 0x10000) >> 10));
            *d++ = static_cast<unsigned short>(0xDC00 + ((cp - 0x10000) & 0x3FF));
            s += 4;
        } else {
            return false;
        }
    }
    *units = static_cast<unsigned int>(d - dst);
    return true;
}

/// ERROR_INSUFFICIENT_BUFFER, the error id of a conversion whose result did
/// not fit.
int const NO_ROOM = 122;

} // namespace

ConversionCharDecoder::ConversionCharDecoder(InputStream* source, bool ownsSource,
                                             EncodingType type, unsigned int bufSize)
    : CharDecoder(source, ownsSource, type, text::UTF16LE), _sourceType(type), _chars(nullptr),
      _charCapacity(0) {
    _bytes = new unsigned char[bufSize];
    _byteSize = bufSize;
    try {
        _chars = new unsigned short[bufSize];
    } catch (...) {
        delete[] _bytes;
        _bytes = nullptr;
        throw;
    }
    _charCapacity = bufSize;
}

ConversionCharDecoder::~ConversionCharDecoder() {
    delete[] _bytes;
    delete[] _chars;
}

void ConversionCharDecoder::releaseBuffers() {
    delete[] _bytes;
    _bytes = nullptr;
    delete[] _chars;
    _chars = nullptr;
    _byteSize = 0;
    _filled = 0;
    _bytePos = 0;
    _charCapacity = 0;
    setUnits(nullptr, 0);
}

bool ConversionCharDecoder::decode() {
    for (;;) {
        if (_bytePos >= _filled) {
            _bytePos = 0;
            _filled = readSource(_bytes, _byteSize);
            if (_filled == 0) {
                setUnits(nullptr, 0);
                return false;
            }
        }
        // The bytes up to the last line feed make whole lines. Without one,
        // read on until a line feed comes or the source ends.
        unsigned int chunk = pastLastLineFeed(_bytes + _bytePos, _filled - _bytePos);
        while (chunk == 0) {
            if (_filled == _byteSize)
                makeRoom();
            unsigned int const from = _filled;
            unsigned int const got = readSource(_bytes + from, _byteSize - from);
            if (got == 0) {
                chunk = _filled - _bytePos;
                break;
            }
            _filled += got;
            unsigned int const at = pastLastLineFeed(_bytes + from, got);
            if (at != 0)
                chunk = from + at - _bytePos;
        }
        // A chunk that makes no unit at all (possible only for odd UTF-7)
        // is passed over.
        if (convert(chunk) != 0)
            return true;
    }
}

unsigned int ConversionCharDecoder::convert(unsigned int count) {
    unsigned char const* at = _bytes + _bytePos;
    // No byte of these encodings makes more than one unit, so count units
    // are room enough and the conversion needs only one pass.
    reserveUnits(count);
    if (_sourceType == text::UTF8) {
        // Well-formed UTF-8 has one meaning: it is decoded here, without a
        // call into the platform; anything else goes the platform's way.
        unsigned int units = 0;
        if (decodeWellFormedUTF8(at, count, _chars, &units)) {
            _bytePos += count;
            setUnits(_chars, units);
            return units;
        }
    }
    unsigned int written = 0;
    try {
        written = _conversion->toBytes(at, count, _sourceType, _chars, _charCapacity * 2);
    } catch (FormatException const& e) {
        // Should a code page ever make more units than bytes, measure first.
        if (e.getErrorId() != NO_ROOM)
            throw;
        unsigned int const needed = _conversion->getByteCount(at, count, _sourceType);
        reserveUnits(needed / 2 + 1);
        written = _conversion->toBytes(at, count, _sourceType, _chars, _charCapacity * 2);
    }
    _bytePos += count;
    unsigned int const units = written / 2;
    setUnits(_chars, units);
    return units;
}

void ConversionCharDecoder::makeRoom() {
    unsigned int const unread = _filled - _bytePos;
    if (_bytePos > _byteSize / 2) {
        std::memmove(_bytes, _bytes + _bytePos, unread);
    } else {
        if (_byteSize >= 0x80000000u)
            throw OutOfMemoryException();
        unsigned int const size = _byteSize * 2;
        unsigned char* grown = new unsigned char[size];
        std::memcpy(grown, _bytes + _bytePos, unread);
        delete[] _bytes;
        _bytes = grown;
        _byteSize = size;
    }
    _bytePos = 0;
    _filled = unread;
}

void ConversionCharDecoder::reserveUnits(unsigned int units) {
    if (units <= _charCapacity)
        return;
    // In step with the byte buffer, so that it grows once per doubling.
    unsigned int const capacity = units > _byteSize ? units : _byteSize;
    if (capacity > 0x7FFFFFFFu)
        throw OutOfMemoryException();
    unsigned short* chars = new unsigned short[capacity];
    delete[] _chars;
    _chars = chars;
    _charCapacity = capacity;
}

} // namespace io
} // namespace cpp
