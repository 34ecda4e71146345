#include "wux/text/UTF7Conversion.h"

#include "text/CodePage.h"
#include "text/ConversionSupport.h"

namespace cpp {
namespace text {

// Into UTF-7: UTF-7 bytes are copied, the other code pages and UTF-16LE go
// through the platform, UTF-32LE through UTF-16 first.

UTF7Conversion::~UTF7Conversion() {}

unsigned int UTF7Conversion::toBytes(void const* src, unsigned int srcBytes, EncodingType srcType,
                                     void* dst, unsigned int dstBytes) const {
    detail::checkToBytes(src, dst);
    switch (srcType) {
    case UTF7:
        return detail::copyBytes(src, srcBytes, dst, dstBytes);
    case ASCII:
    case UTF8:
    case UTF16LE:
    case UTF32LE: {
        detail::WideText text(srcType, src, srcBytes);
        return detail::wideToCodePage(codepage::CODE_PAGE_UTF7, text, dst, dstBytes);
    }
    default:
        detail::throwNotImplemented();
    }
}

unsigned int UTF7Conversion::getByteCount(void const* src, unsigned int srcBytes,
                                          EncodingType srcType) const {
    switch (srcType) {
    case UTF7:
        return srcBytes;
    case ASCII:
    case UTF8:
    case UTF16LE:
    case UTF32LE: {
        detail::WideText text(srcType, src, srcBytes);
        return detail::countWideToCodePage(codepage::CODE_PAGE_UTF7, text);
    }
    default:
        detail::throwNotImplemented();
    }
}

} // namespace text
} // namespace cpp
