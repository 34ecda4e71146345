#include "wux/text/UTF8Conversion.h"

#include "text/CodePage.h"
#include "text/ConversionSupport.h"

namespace cpp {
namespace text {

// Into UTF-8: UTF-8 bytes are copied, the other code pages and UTF-16LE go
// through the platform, UTF-32LE straight through the Unicode routine.

UTF8Conversion::~UTF8Conversion() {}

unsigned int UTF8Conversion::toBytes(void const* src, unsigned int srcBytes, EncodingType srcType,
                                     void* dst, unsigned int dstBytes) const {
    detail::checkToBytes(src, dst);
    switch (srcType) {
    case UTF8:
        return detail::copyBytes(src, srcBytes, dst, dstBytes);
    case ASCII:
    case UTF7:
    case UTF16LE: {
        detail::WideText text(srcType, src, srcBytes);
        return detail::wideToCodePage(codepage::CODE_PAGE_UTF8, text, dst, dstBytes);
    }
    case UTF32LE:
        return detail::utf32ToUTF8(src, srcBytes, dst, dstBytes);
    default:
        detail::throwNotImplemented();
    }
}

unsigned int UTF8Conversion::getByteCount(void const* src, unsigned int srcBytes,
                                          EncodingType srcType) const {
    switch (srcType) {
    case UTF8:
        return srcBytes;
    case ASCII:
    case UTF7:
    case UTF16LE: {
        detail::WideText text(srcType, src, srcBytes);
        return detail::countWideToCodePage(codepage::CODE_PAGE_UTF8, text);
    }
    case UTF32LE:
        return detail::countUTF32ToUTF8(src, srcBytes);
    default:
        detail::throwNotImplemented();
    }
}

} // namespace text
} // namespace cpp
