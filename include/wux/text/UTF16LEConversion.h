//===- wux/text/UTF16LEConversion.h -----------------------------*- C++ -*-===//
//
// Conversion into UTF-16LE, the units of String (Conversion::toString uses
// it). The target holds whole units only (dstBytes / 2 of them).
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TEXT_UTF16LECONVERSION_H
#define WUX_TEXT_UTF16LECONVERSION_H

#include "wux/lang/Export.h"
#include "wux/text/Conversion.h"

namespace cpp {
namespace text {

class WUX_API UTF16LEConversion : public Conversion {
public:
    UTF16LEConversion() {}
    UTF16LEConversion(UTF16LEConversion const& other) : Conversion(other) {}
    UTF16LEConversion& operator=(UTF16LEConversion const&) { return *this; }
    ~UTF16LEConversion() override;

    unsigned int toBytes(void const* src, unsigned int srcBytes, EncodingType srcType, void* dst,
                         unsigned int dstBytes) const override;
    unsigned int getByteCount(void const* src, unsigned int srcBytes,
                              EncodingType srcType) const override;
    EncodingType getEncodingType() const override { return UTF16LE; }
    using Conversion::getByteCount;
    using Conversion::toBytes;
};

} // namespace text
} // namespace cpp

#endif // WUX_TEXT_UTF16LECONVERSION_H
