//===- wux/text/UTF7Conversion.h --------------------------------*- C++ -*-===//
//
// Conversion into UTF-7 (code page 65000), as the platform writes it: letters,
// digits, space, tab, CR, LF and '(),-./:? directly, everything else in
// base64 runs closed by '-', and '+' as "+-". Any valid UTF-7 is read.
//
//   U+65E5 U+672C U+8A9E  ->  "+ZeVnLIqe-"
//   "Hi Mom -+Jjo--!"     ->  "Hi Mom -\u263A-!"  (written "Hi Mom -+Jjo--+ACE-")
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TEXT_UTF7CONVERSION_H
#define WUX_TEXT_UTF7CONVERSION_H

#include "wux/lang/Export.h"
#include "wux/text/Conversion.h"

namespace cpp {
namespace text {

class WUX_API UTF7Conversion : public Conversion {
public:
    UTF7Conversion() {}
    UTF7Conversion(UTF7Conversion const& other) : Conversion(other) {}
    UTF7Conversion& operator=(UTF7Conversion const&) { return *this; }
    ~UTF7Conversion() override;

    unsigned int toBytes(void const* src, unsigned int srcBytes, EncodingType srcType, void* dst,
                         unsigned int dstBytes) const override;
    unsigned int getByteCount(void const* src, unsigned int srcBytes,
                              EncodingType srcType) const override;
    EncodingType getEncodingType() const override { return UTF7; }
    using Conversion::getByteCount;
    using Conversion::toBytes;
};

} // namespace text
} // namespace cpp

#endif // WUX_TEXT_UTF7CONVERSION_H
