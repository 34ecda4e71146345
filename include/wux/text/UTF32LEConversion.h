//===- wux/text/UTF32LEConversion.h -----------------------------*- C++ -*-===//
//
// Conversion into UTF-32LE. The target holds whole 4-byte units only
// (dstBytes / 4 of them); results are multiples of 4 bytes.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TEXT_UTF32LECONVERSION_H
#define WUX_TEXT_UTF32LECONVERSION_H

#include "wux/lang/Export.h"
#include "wux/text/Conversion.h"

namespace cpp {
namespace text {

class WUX_API UTF32LEConversion : public Conversion {
public:
    UTF32LEConversion() {}
    UTF32LEConversion(UTF32LEConversion const& other) : Conversion(other) {}
    UTF32LEConversion& operator=(UTF32LEConversion const&) { return *this; }
    ~UTF32LEConversion() override;

    unsigned int toBytes(void const* src, unsigned int srcBytes, EncodingType srcType, void* dst,
                         unsigned int dstBytes) const override;
    unsigned int getByteCount(void const* src, unsigned int srcBytes,
                              EncodingType srcType) const override;
    EncodingType getEncodingType() const override { return UTF32LE; }
    using Conversion::getByteCount;
    using Conversion::toBytes;
};

} // namespace text
} // namespace cpp

#endif // WUX_TEXT_UTF32LECONVERSION_H
