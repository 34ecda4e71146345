//===- wux/text/UTF16BEConversion.h -----------------------------*- C++ -*-===//
//
// Conversion into UTF-16BE (a type only: converting throws NotImplementedException).
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TEXT_UTF16BECONVERSION_H
#define WUX_TEXT_UTF16BECONVERSION_H

#include "wux/lang/Export.h"
#include "wux/text/Conversion.h"

namespace cpp {
namespace text {

class WUX_API UTF16BEConversion : public Conversion {
public:
    UTF16BEConversion() {}
    UTF16BEConversion(UTF16BEConversion const& other) : Conversion(other) {}
    UTF16BEConversion& operator=(UTF16BEConversion const&) { return *this; }
    ~UTF16BEConversion() override;

    unsigned int toBytes(void const* src, unsigned int srcBytes, EncodingType srcType, void* dst,
                         unsigned int dstBytes) const override;
    unsigned int getByteCount(void const* src, unsigned int srcBytes,
                              EncodingType srcType) const override;
    EncodingType getEncodingType() const override { return UTF16BE; }
    using Conversion::getByteCount;
    using Conversion::toBytes;
};

} // namespace text
} // namespace cpp

#endif // WUX_TEXT_UTF16BECONVERSION_H
