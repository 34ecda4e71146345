#include "wux/text/UTF32BEConversion.h"

#include "text/ConversionSupport.h"

namespace cpp {
namespace text {

// The type exists so that the encoding can be named and detected; converting
// into it is not supported.

UTF32BEConversion::~UTF32BEConversion() {}

unsigned int UTF32BEConversion::toBytes(void const*, unsigned int, EncodingType, void*,
                                        unsigned int) const {
    detail::throwNotImplemented();
}

unsigned int UTF32BEConversion::getByteCount(void const*, unsigned int, EncodingType) const {
    detail::throwNotImplemented();
}

} // namespace text
} // namespace cpp
