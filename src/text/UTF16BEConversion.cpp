#include "wux/text/UTF16BEConversion.h"

#include "text/ConversionSupport.h"

namespace cpp {
namespace text {

// The type exists so that the encoding can be named and detected; converting
// into it is not supported.

UTF16BEConversion::~UTF16BEConversion() {}

unsigned int UTF16BEConversion::toBytes(void const*, unsigned int, EncodingType, void*,
                                        unsigned int) const {
    detail::throwNotImplemented();
}

unsigned int UTF16BEConversion::getByteCount(void const*, unsigned int, EncodingType) const {
    detail::throwNotImplemented();
}

} // namespace text
} // namespace cpp
