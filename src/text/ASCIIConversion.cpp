#include "wux/text/ASCIIConversion.h"

#include "text/CodePage.h"
#include "text/ConversionSupport.h"

namespace cpp {
namespace text {

// Into the ANSI code page: ANSI bytes are copied, the other code pages and
// UTF-16LE go through the platform, UTF-32LE through UTF-16 first.

ASCIIConversion::~ASCIIConversion() {}

unsigned int ASCIIConversion::toBytes(void const* src, unsigned int srcBytes, EncodingType srcType,
                                      void* dst, unsigned int dstBytes) const {
    detail::checkToBytes(src, dst);
    switch (srcType) {
    case ASCII:
        return detail::copyBytes(src, srcBytes, dst, dstBytes);
    case UTF7:
    case UTF8:
    case UTF16LE:
    case UTF32LE: {
        detail::WideText text(srcType, src, srcBytes);
        return detail::wideToCodePage(codepage::CODE_PAGE_ANSI, text, dst, dstBytes);
    }
    default:
        detail::throwNotImplemented();
    }
}

unsigned int ASCIIConversion::getByteCount(void const* src, unsigned int srcBytes,
                                           EncodingType srcType) const {
    switch (srcType) {
    case ASCII:
        return srcBytes;
    case UTF7:
    case UTF8:
    case UTF16LE:
    case UTF32LE: {
        detail::WideText text(srcType, src, srcBytes);
        return detail::countWideToCodePage(codepage::CODE_PAGE_ANSI, text);
    }
    default:
        detail::throwNotImplemented();
    }
}

} // namespace text
} // namespace cpp
