//===- wux/text/Conversion.h - Converting into one encoding -----*- C++ -*-===//
//
// A Conversion stands for one target encoding and converts bytes given in any
// EncodingType into it. Every conversion pivots on UTF-16: the code pages
// (ANSI, UTF-7, UTF-8) go through MultiByteToWideChar/WideCharToMultiByte,
// UTF-32 through the reference UTF routines in lenient mode.
//
//   UTF8Conversion utf8;
//   String s(L"caf\u00e9");
//   char bytes[16];
//   unsigned n = utf8.toBytes(s, bytes, sizeof bytes); // 63 61 66 C3 A9, n = 5
//   String back = Conversion::toString(bytes, n, UTF8);
//
// Conversions hold no state: one object may serve any number of threads.
// Failures throw (ArgumentException, FormatException, NotImplementedException)
// and never report a partial result.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TEXT_CONVERSION_H
#define WUX_TEXT_CONVERSION_H

#include "wux/lang/Export.h"
#include "wux/lang/String.h"
#include "wux/text/EncodingType.h"

namespace cpp {
namespace text {

class WUX_API Conversion {
public:
    Conversion() {}
    Conversion(Conversion const&) {}
    Conversion& operator=(Conversion const&) { return *this; }
    virtual ~Conversion();

    /// Converts \p srcBytes bytes of \p srcType at \p src into this
    /// conversion's encoding at \p dst, writing at most \p dstBytes bytes;
    /// returns the bytes written.
    virtual unsigned int toBytes(void const* src, unsigned int srcBytes, EncodingType srcType,
                                 void* dst, unsigned int dstBytes) const = 0;
    /// The bytes toBytes() would produce.
    virtual unsigned int getByteCount(void const* src, unsigned int srcBytes,
                                      EncodingType srcType) const = 0;
    virtual EncodingType getEncodingType() const = 0;

    /// toBytes() of the units of \p s (UTF-16LE).
    unsigned int toBytes(lang::String const& s, void* dst, unsigned int dstBytes) const;
    /// getByteCount() of the units of \p s (UTF-16LE).
    unsigned int getByteCount(lang::String const& s) const;

    /// The \p srcBytes bytes of \p srcType at \p src as a String.
    static lang::String toString(void const* src, unsigned int srcBytes, EncodingType srcType);
};

} // namespace text
} // namespace cpp

#endif // WUX_TEXT_CONVERSION_H
