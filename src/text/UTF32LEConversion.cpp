#include "wux/text/UTF32LEConversion.h"

#include "text/ConversionSupport.h"

namespace cpp {
namespace text {

// Into UTF-32LE: UTF-32LE units are copied, UTF-8 and UTF-16LE go through the
// Unicode routines, the other code pages through the platform into UTF-16
// first. The target holds whole 4-byte units only.

UTF32LEConversion::~UTF32LEConversion() {}

unsigned int UTF32LEConversion::toBytes(void const* src, unsigned int srcBytes,
                                        EncodingType srcType, void* dst,
                                        unsigned int dstBytes) const {
    detail::checkToBytes(src, dst);
    switch (srcType) {
    case ASCII:
    case UTF7:
    case UTF16LE: {
        detail::WideText text(srcType, src, srcBytes);
        return detail::wideToUTF32(text, dst, dstBytes);
    }
    case UTF8:
        return detail::utf8ToUTF32(src, srcBytes, dst, dstBytes);
    case UTF32LE:
        return detail::copyUnits(src, srcBytes, dst, dstBytes, 4);
    default:
        detail::throwNotImplemented();
    }
}

unsigned int UTF32LEConversion::getByteCount(void const* src, unsigned int srcBytes,
                                             EncodingType srcType) const {
    switch (srcType) {
    case ASCII:
    case UTF7:
    case UTF16LE: {
        detail::WideText text(srcType, src, srcBytes);
        return detail::countWideToUTF32(text);
    }
    case UTF8:
        return detail::countUTF8ToUTF32(src, srcBytes);
    case UTF32LE:
        return srcBytes;
    default:
        detail::throwNotImplemented();
    }
}

} // namespace text
} // namespace cpp
