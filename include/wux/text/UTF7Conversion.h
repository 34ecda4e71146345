//===- wux/text/UTF7Conversion.h --------------------------------*- C++ -*-===//
//
// Conversion into UTF-7 (code page 65000).
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
