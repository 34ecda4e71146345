//===- wux/text/UTF32BEConversion.h -----------------------------*- C++ -*-===//
//
// Conversion into UTF-32BE (a type only: converting throws NotImplementedException).
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TEXT_UTF32BECONVERSION_H
#define WUX_TEXT_UTF32BECONVERSION_H

#include "wux/lang/Export.h"
#include "wux/text/Conversion.h"

namespace cpp {
namespace text {

class WUX_API UTF32BEConversion : public Conversion {
public:
    UTF32BEConversion() {}
    UTF32BEConversion(UTF32BEConversion const& other) : Conversion(other) {}
    UTF32BEConversion& operator=(UTF32BEConversion const&) { return *this; }
    ~UTF32BEConversion() override;

    unsigned int toBytes(void const* src, unsigned int srcBytes, EncodingType srcType, void* dst,
                         unsigned int dstBytes) const override;
    unsigned int getByteCount(void const* src, unsigned int srcBytes,
                              EncodingType srcType) const override;
    EncodingType getEncodingType() const override { return UTF32BE; }
    using Conversion::getByteCount;
    using Conversion::toBytes;
};

} // namespace text
} // namespace cpp

#endif // WUX_TEXT_UTF32BECONVERSION_H
