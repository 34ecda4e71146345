#include "wux/text/UTF16LEConversion.h"

#include "text/ConversionSupport.h"

namespace cpp {
namespace text {

// Into UTF-16LE: UTF-16LE units are copied, the code pages go through the
// platform straight into the target, UTF-32LE through the Unicode routine.

UTF16LEConversion::~UTF16LEConversion() {}

unsigned int UTF16LEConversion::toBytes(void const* src, unsigned int srcBytes,
                                        EncodingType srcType, void* dst,
                                        unsigned int dstBytes) const {
    detail::checkToBytes(src, dst);
    switch (srcType) {
    case ASCII:
    case UTF7:
    case UTF8:
        return detail::codePageToUTF16(detail::codePageOf(srcType), src, srcBytes, dst, dstBytes);
    case UTF16LE:
        return detail::copyUnits(src, srcBytes, dst, dstBytes, 2);
    case UTF32LE:
        return detail::utf32ToUTF16(src, srcBytes, dst, dstBytes);
    default:
        detail::throwNotImplemented();
    }
}

unsigned int UTF16LEConversion::getByteCount(void const* src, unsigned int srcBytes,
                                             EncodingType srcType) const {
    switch (srcType) {
    case ASCII:
    case UTF7:
    case UTF8:
        return detail::countCodePageToUTF16(detail::codePageOf(srcType), src, srcBytes);
    case UTF16LE:
        return srcBytes;
    case UTF32LE:
        return detail::countUTF32ToUTF16(src, srcBytes);
    default:
        detail::throwNotImplemented();
    }
}

} // namespace text
} // namespace cpp
