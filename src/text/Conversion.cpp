#include "wux/text/Conversion.h"

#include "text/ConversionSupport.h"
#include "wux/lang/ArgumentException.h"
#include "wux/text/UTF16LEConversion.h"

namespace cpp {
namespace text {

using lang::ArgumentException;
using lang::String;

namespace {

// The bytes of a String's units; a String too long for a 32-bit byte count
// cannot be converted in one call.
unsigned int bytesOf(String const& s) {
    if (s.getLength() > 0x7FFFFFFFu)
        throw ArgumentException(String("The input string is too long."), String("str"));
    return 2u * s.getLength();
}

} // namespace

Conversion::~Conversion() {}

unsigned int Conversion::toBytes(String const& s, void* dst, unsigned int dstBytes) const {
    return toBytes(s.getCStr(), bytesOf(s), UTF16LE, dst, dstBytes);
}

unsigned int Conversion::getByteCount(String const& s) const {
    return getByteCount(s.getCStr(), bytesOf(s), UTF16LE);
}

String Conversion::toString(void const* src, unsigned int srcBytes, EncodingType srcType) {
    if (src == nullptr)
        throw ArgumentException(String("The characters pointer to convert is null."),
                                String("chars"));
    UTF16LEConversion conversion;
    unsigned int size = conversion.getByteCount(src, srcBytes, srcType);
    if (size == 0)
        return String();
    detail::TempBuffer buffer(size);
    unsigned int written = conversion.toBytes(src, srcBytes, srcType, buffer.get(), size);
    return String(static_cast<unsigned short const*>(buffer.get()), written / 2);
}

} // namespace text
} // namespace cpp
