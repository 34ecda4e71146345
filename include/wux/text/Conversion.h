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
// Which way each target takes for each source type:
//
//   target \ source    ASCII    UTF7     UTF8     UTF16LE  UTF16BE  UTF32LE  UTF32BE
//   ASCIIConversion    copy     cp       cp       cp       -        CU+cp    -
//   UTF7Conversion     cp       copy     cp       cp       -        CU+cp    -
//   UTF8Conversion     cp       cp       copy     cp       -        CU       -
//   UTF16LEConversion  cp       cp       cp       copy     -        CU       -
//   UTF32LEConversion  cp+CU    cp+CU    CU       CU       -        copy     -
//   UTF16BEConversion and UTF32BEConversion: - for every source type
//
// cp: the platform's code-page calls (through UTF-16); CU: the Unicode
// routines in lenient mode (UTF-32 surrogate values and values above 0x10FFFF
// become U+FFFD, unpaired UTF-16 surrogates keep their value, malformed UTF-8
// fails); a+b: a into UTF-16, then b;
// -: NotImplementedException, also for any type above UTF32BE.
//
// copy: a bounded copy of min(srcBytes, dstBytes) bytes. Byte encodings copy
// like strncpy (stop at the first 0 byte, zero-fill the rest of that count)
// and return the bytes before the 0; UTF-16LE and UTF-32LE copy whole units,
// stop after a 0 unit and return the bytes copied, the 0 unit included.
// getByteCount() of a copy is srcBytes.
//
//   char out[8];
//   ASCIIConversion().toBytes("ab\0cd", 5, ASCII, out, 8); // 2; out = a b 0 0 0 ? ? ?
//
// A source of 0 bytes gives 0 bytes (an empty String from toString()); UTF-16
// and UTF-32 sources are read in whole units (a trailing part is ignored).
// toBytes() never writes beyond dstBytes: a UTF-16LE target holds
// dstBytes / 2 units, a UTF-32LE target dstBytes / 4. Source and target may
// sit at any address.
//
// Failures:
//   - toBytes(): a null source throws ArgumentException "The input bytes is
//     null." (argument "str"), a null target "The output bytes is null."
//     ("outBytes"), also when srcBytes is 0;
//   - getByteCount() of a null source: ArgumentException "The input string is
//     null." ("chars" for bytes, "wchars" for UTF-16 units) where the
//     platform reads it, "The input bytes is null." ("str") where the Unicode
//     routines read it;
//   - a target too small for the whole result throws FormatException "Cannot
//     convert string." with error id 122 (ERROR_INSUFFICIENT_BUFFER) when the
//     platform writes it, and "insuff. room in target for conversion." when
//     the Unicode routines write it; other platform failures give "Cannot
//     convert string." with the platform's error code;
//   - the Unicode routines throw FormatException "partial character in
//     source, but hit end." (a UTF-8 sequence cut by the end, a high
//     surrogate as the last unit) and "source sequence is illegal."
//     (malformed UTF-8), with the thread's last error as error id;
//   - a temporary buffer that cannot be had throws OutOfMemoryException.
// No failure reports a partial result; temporary buffers (from the default
// allocator) are given back on every path.
//
// Conversions hold no state: one object may serve any number of threads.
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
    /// returns the bytes written. The whole result must fit, except for
    /// bounded copies (same encoding), which stop at dstBytes.
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

    /// The \p srcBytes bytes of \p srcType at \p src as a String, converted
    /// by UTF16LEConversion. A null \p src throws ArgumentException "The
    /// characters pointer to convert is null." ("chars").
    static lang::String toString(void const* src, unsigned int srcBytes, EncodingType srcType);
};

} // namespace text
} // namespace cpp

#endif // WUX_TEXT_CONVERSION_H
