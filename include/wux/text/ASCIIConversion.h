//===- wux/text/ASCIIConversion.h -------------------------------*- C++ -*-===//
//
// Conversion into the system ANSI code page.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TEXT_ASCIICONVERSION_H
#define WUX_TEXT_ASCIICONVERSION_H

#include "wux/lang/Export.h"
#include "wux/text/Conversion.h"

namespace cpp {
namespace text {

class WUX_API ASCIIConversion : public Conversion {
public:
    ASCIIConversion() {}
    ASCIIConversion(ASCIIConversion const& other) : Conversion(other) {}
    ASCIIConversion& operator=(ASCIIConversion const&) { return *this; }
    ~ASCIIConversion() override;

    unsigned int toBytes(void const* src, unsigned int srcBytes, EncodingType srcType, void* dst,
                         unsigned int dstBytes) const override;
    unsigned int getByteCount(void const* src, unsigned int srcBytes,
                              EncodingType srcType) const override;
    EncodingType getEncodingType() const override { return ASCII; }
    using Conversion::getByteCount;
    using Conversion::toBytes;
};

} // namespace text
} // namespace cpp

#endif // WUX_TEXT_ASCIICONVERSION_H
