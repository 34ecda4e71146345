#include "io/UTF16CharEncoder.h"

#include "wux/lang/OutOfMemoryException.h"

#include <cstring>

namespace cpp {
namespace io {
using cpp::lang::OutOfMemoryException;
using cpp::text::EncodingType;

UTF16CharEncoder::UTF16CharEncoder(OutputStream* destination, bool ownsDestination,
                                   EncodingType type, unsigned int bufSize)
    : CharEncoder(destination, ownsDestination, type, bufSize),
      _littleEndian(type == text::UTF16LE) {}

UTF16CharEncoder::~UTF16CharEncoder() {}

void UTF16CharEncoder::write(unsigned short const* chars, unsigned int count) {
    if (count == 0)
        return;
    if (count > 0x7FFFFFFFu)
        throw OutOfMemoryException();
    unsigned int const bytes = count * 2;
    unsigned char* out = reserve(bytes);
    if (_littleEndian) {
        // The machine's own order.
        std::memcpy(out, chars, bytes);
    } else {
        for (unsigned int i = 0; i < count; ++i) {
            out[2 * i] = static_cast<unsigned char>(chars[i] >> 8);
            out[2 * i + 1] = static_cast<unsigned char>(chars[i] & 0xFF);
        }
    }
    commit(bytes);
}

} // namespace io
} // namespace cpp
