//===- wux/text/EncodingType.h - The supported encodings --------*- C++ -*-===//
//
// The byte encodings wux converts between. ASCII stands for the system ANSI
// code page (CP_ACP). The values are fixed: they are stored in files and
// passed across the library boundary.
//
// The underlying type is fixed (int) so that any int value may be held: the
// conversions answer values outside 0-6 with NotImplementedException, which
// needs such a value to be representable in the first place.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TEXT_ENCODINGTYPE_H
#define WUX_TEXT_ENCODINGTYPE_H

namespace cpp {
namespace text {

enum EncodingType : int {
    ASCII = 0,   ///< the system ANSI code page
    UTF7 = 1,    ///< code page 65000
    UTF8 = 2,    ///< code page 65001
    UTF16LE = 3, ///< Windows' wide characters
    UTF16BE = 4,
    UTF32LE = 5,
    UTF32BE = 6
};

} // namespace text
} // namespace cpp

#endif // WUX_TEXT_ENCODINGTYPE_H
