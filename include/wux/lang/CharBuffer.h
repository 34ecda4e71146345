//===- wux/lang/CharBuffer.h - A String as bytes of an encoding -*- C++ -*-===//
//
// CharBuffer converts Strings into the bytes of some encoding (the encoding of
// the Conversion given) in a buffer it owns and reuses, for APIs that take
// narrow, 0-terminated text.
//
//   CharBuffer chars;                          // default allocator
//   UTF8Conversion utf8;
//   unsigned n;
//   char const* p = chars.toChars(&utf8, String(L"caf\u00e9"), &n);
//   // p: 63 61 66 C3 A9 00, n = 5
//
// The returned text is terminated by one 0 byte (not counted in the length)
// and stays valid until the next call or the buffer's destruction. The buffer
// only grows, so converting texts of similar sizes over and over does not
// allocate; an empty String gives a static empty text and never allocates.
//
// Failures: a null Conversion throws ArgumentException (argument name
// "conv", message of "IDS_NULL_ARGUMENT" through the library's message
// catalog); conversion failures come from the Conversion unchanged.
//
// A CharBuffer is for one thread at a time.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_CHARBUFFER_H
#define WUX_LANG_CHARBUFFER_H

#include "wux/lang/Export.h"
#include "wux/lang/String.h"

namespace cpp {
namespace text {
class Conversion;
} // namespace text

namespace lang {

class IAllocator;

class WUX_API CharBuffer {
public:
    /// No buffer yet; it will come from \p a (the default allocator when
    /// null). The allocator is not owned.
    explicit CharBuffer(IAllocator* a = nullptr);
    /// Takes the allocator of \p other only: the copy starts without a buffer.
    CharBuffer(CharBuffer const& other);
    /// Gives the buffer back and takes the allocator of \p other, as a copy
    /// would.
    CharBuffer& operator=(CharBuffer const& other);
    /// Gives the buffer back to the allocator.
    ~CharBuffer();

    /// The units of \p s converted into the encoding of \p conv and
    /// terminated by a 0 byte; the count of bytes before the terminator goes
    /// to \p outLen when it is not null.
    char const* toChars(text::Conversion const* conv, String const& s,
                        unsigned int* outLen = nullptr);

    IAllocator* getAllocator() const { return _allocator; }
    /// The bytes the buffer holds besides its terminator (0 before first use).
    unsigned int getCapacity() const { return _capacity; }

private:
    void release();

    IAllocator* _allocator;
    char* _buffer;
    unsigned int _capacity;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_CHARBUFFER_H
