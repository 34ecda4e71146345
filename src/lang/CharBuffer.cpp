#include "wux/lang/CharBuffer.h"

#include "util/LibraryResources.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/IAllocator.h"
#include "wux/text/Conversion.h"

namespace cpp {
namespace lang {

namespace {

// What an empty String converts to; handing it out costs no allocation.
char const EMPTY_CHARS[1] = {0};

} // namespace

CharBuffer::CharBuffer(IAllocator* a)
    : _allocator(a != nullptr ? a : IAllocator::getWUXAllocator()), _buffer(nullptr), _capacity(0) {
}

CharBuffer::CharBuffer(CharBuffer const& other)
    : _allocator(other._allocator), _buffer(nullptr), _capacity(0) {}

CharBuffer& CharBuffer::operator=(CharBuffer const& other) {
    if (this != &other) {
        release();
        _allocator = other._allocator;
    }
    return *this;
}

CharBuffer::~CharBuffer() {
    release();
}

void CharBuffer::release() {
    _allocator->free(_buffer);
    _buffer = nullptr;
    _capacity = 0;
}

char const* CharBuffer::toChars(text::Conversion const* conv, String const& s,
                                unsigned int* outLen) {
    if (conv == nullptr)
        throw ArgumentException(util::libraryLoader(), String("IDS_NULL_ARGUMENT"), String("conv"));
    if (s.isEmpty()) {
        if (outLen != nullptr)
            *outLen = 0;
        return EMPTY_CHARS;
    }

    unsigned int const srcBytes = 2 * s.getLength();
    unsigned int const need = conv->getByteCount(s.getCStr(), srcBytes, text::UTF16LE);
    if (need > _capacity || _buffer == nullptr) {
        // Released first, so that a failed allocation leaves an empty buffer
        // rather than a stale capacity.
        release();
        _buffer = static_cast<char*>(_allocator->malloc(need + 1));
        _capacity = need;
    }
    unsigned int const written =
        conv->toBytes(s.getCStr(), srcBytes, text::UTF16LE, _buffer, _capacity);
    if (outLen != nullptr)
        *outLen = written;
    _buffer[written] = 0;
    return _buffer;
}

} // namespace lang
} // namespace cpp
