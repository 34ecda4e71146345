#include "io/EncodedString.h"

#include "wux/lang/ArgumentException.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/OutOfMemoryException.h"
#include "wux/lang/String.h"
#include "wux/text/Conversion.h"

namespace cpp {
namespace io {

using lang::ArgumentException;
using lang::String;

EncodedString::EncodedString(lang::IAllocator* allocator, String const& s,
                             text::Conversion const* conversion)
    : _allocator(allocator), _bytes(nullptr), _size(0) {
    if (conversion == nullptr)
        throw ArgumentException(String("Conversion object is null."), String("conversion"));
    unsigned int const length = s.getLength();
    if (length == 0)
        return;
    if (length > 0x7FFFFFFFu)
        throw lang::OutOfMemoryException();
    unsigned int const srcBytes = 2 * length;
    unsigned int const room = conversion->getByteCount(s.getCStr(), srcBytes, text::UTF16LE);
    _bytes = static_cast<unsigned char*>(_allocator->malloc(room));
    try {
        unsigned int const k =
            conversion->toBytes(s.getCStr(), srcBytes, text::UTF16LE, _bytes, room);
        _size = k < room ? k : room; // never more than the room it was given
    } catch (...) {
        _allocator->free(_bytes);
        throw;
    }
}

EncodedString::~EncodedString() {
    if (_bytes != nullptr)
        _allocator->free(_bytes);
}

} // namespace io
} // namespace cpp
