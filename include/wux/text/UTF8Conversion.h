//===- wux/text/UTF8Conversion.h --------------------------------*- C++ -*-===//
//
// Conversion into UTF-8 (code page 65001).
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TEXT_UTF8CONVERSION_H
#define WUX_TEXT_UTF8CONVERSION_H

#include "wux/lang/Export.h"
#include "wux/text/Conversion.h"

namespace cpp {
namespace text {

class WUX_API UTF8Conversion : public Conversion {
public:
    UTF8Conversion() {}
    UTF8Conversion(UTF8Conversion const& other) : Conversion(other) {}
    UTF8Conversion& operator=(UTF8Conversion const&) { return *this; }
    ~UTF8Conversion() override;

    unsigned int toBytes(void const* src, unsigned int srcBytes, EncodingType srcType, void* dst,
                         unsigned int dstBytes) const override;
    unsigned int getByteCount(void const* src, unsigned int srcBytes,
                              EncodingType srcType) const override;
    EncodingType getEncodingType() const override { return UTF8; }
    using Conversion::getByteCount;
    using Conversion::toBytes;
};

} // namespace text
} // namespace cpp

#endif // WUX_TEXT_UTF8CONVERSION_H
