//===- wux/lang/WCharBuffer.h - Bytes of an encoding as UTF-16 --*- C++ -*-===//
//
// WCharBuffer converts bytes of some encoding (the encoding of the Conversion
// given) into 0-terminated UTF-16 units, in a buffer it owns and reuses, for
// wide-character APIs.
//
//   WCharBuffer wchars;                        // default allocator
//   UTF8Conversion utf8;                       // the bytes are UTF-8
//   unsigned n;
//   unsigned short const* w = wchars.toWChars(&utf8, "caf\xC3\xA9", &n);
//   // w: 'c' 'a' 'f' U+00E9 0, n = 4
//   String s(w, n);
//
// The result is terminated by one 0 unit (not counted in the length) and
// stays valid until the next call or the buffer's destruction. The buffer
// only grows, so converting texts of similar sizes over and over does not
// allocate; a null or empty source gives a static empty text and never
// allocates.
//
// Failures: a null Conversion throws ArgumentException (argument name
// "conv", message of "IDS_NULL_ARGUMENT" through the library's message
// catalog); conversion failures come from the conversion into UTF-16
// unchanged.
//
// A WCharBuffer is for one thread at a time.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_WCHARBUFFER_H
#define WUX_LANG_WCHARBUFFER_H

#include "wux/lang/Export.h"

namespace cpp {
namespace text {
class Conversion;
} // namespace text

namespace lang {

class IAllocator;

class WUX_API WCharBuffer {
public:
    /// No buffer yet; it will come from \p a (the default allocator when
    /// null). The allocator is not owned.
    explicit WCharBuffer(IAllocator* a = nullptr);
    /// Takes the allocator of \p other only: the copy starts without a buffer.
    WCharBuffer(WCharBuffer const& other);
    /// Gives the buffer back and takes the allocator of \p other, as a copy
    /// would.
    WCharBuffer& operator=(WCharBuffer const& other);
    /// Gives the buffer back to the allocator.
    ~WCharBuffer();

    /// The \p n bytes at \p src, read in the encoding of \p conv, as UTF-16
    /// units terminated by a 0 unit; the count of units before the terminator
    /// goes to \p outLen when it is not null.
    unsigned short const* toWChars(text::Conversion const* conv, char const* src, unsigned int n,
                                   unsigned int* outLen);
    /// The same for the bytes at \p src before its first 0 byte (none for a
    /// null \p src).
    unsigned short const* toWChars(text::Conversion const* conv, char const* src,
                                   unsigned int* outLen);

    IAllocator* getAllocator() const { return _allocator; }
    /// The units the buffer holds besides its terminator (0 before first use).
    unsigned int getCapacity() const { return _capacity; }

private:
    void release();

    IAllocator* _allocator;
    unsigned short* _buffer;
    unsigned int _capacity;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_WCHARBUFFER_H
