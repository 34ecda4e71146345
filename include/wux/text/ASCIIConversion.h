//===- wux/text/ASCIIConversion.h -------------------------------*- C++ -*-===//
//
// Conversion into the system ANSI code page (1252 under an English locale).
// Characters the code page lacks get the platform's treatment: a best-fit
// letter where it has one, else '?' for each UTF-16 unit.
//
//   unsigned short const text[] = {0x20AC, 0x65E5}; // euro sign, CJK
//   char out[2];
//   ASCIIConversion().toBytes(text, 4, UTF16LE, out, 2); // 2; 80 3F under 1252
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
