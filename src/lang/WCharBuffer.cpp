#include "wux/lang/WCharBuffer.h"

#include "util/LibraryResources.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/String.h"
#include "wux/text/UTF16LEConversion.h"

#include <cstring>

namespace cpp {
namespace lang {

namespace {

// What an empty source converts to; handing it out costs no allocation.
unsigned short const EMPTY_WCHARS[1] = {0};

} // namespace

WCharBuffer::WCharBuffer(IAllocator* a)
    : _allocator(a != nullptr ? a : IAllocator::getWUXAllocator()), _buffer(nullptr), _capacity(0) {
}

WCharBuffer::WCharBuffer(WCharBuffer const& other)
    : _allocator(other._allocator), _buffer(nullptr), _capacity(0) {}

WCharBuffer& WCharBuffer::operator=(WCharBuffer const& other) {
    if (this != &other) {
        release();
        _allocator = other._allocator;
    }
    return *this;
}

WCharBuffer::~WCharBuffer() {
    release();
}

void WCharBuffer::release() {
    _allocator->free(_buffer);
    _buffer = nullptr;
    _capacity = 0;
}

unsigned short const* WCharBuffer::toWChars(text::Conversion const* conv, char const* src,
                                            unsigned int n, unsigned int* outLen) {
    if (conv == nullptr)
        throw ArgumentException(util::libraryLoader(), String("IDS_NULL_ARGUMENT"), String("conv"));
    if (src == nullptr || n == 0) {
        if (outLen != nullptr)
            *outLen = 0;
        return EMPTY_WCHARS;
    }

    // The source is read in the encoding of conv; the result is always
    // UTF-16LE.
    text::EncodingType const srcType = conv->getEncodingType();
    text::UTF16LEConversion const toUnits;
    unsigned int const need = toUnits.getByteCount(src, n, srcType);
    if (need / 2 > _capacity || _buffer == nullptr) {
        // Released first, so that a failed allocation leaves an empty buffer
        // rather than a stale capacity.
        release();
        unsigned int const evenBytes = need + (need & 1u);
        _buffer = static_cast<unsigned short*>(_allocator->malloc(evenBytes + 2));
        _capacity = need / 2;
    }
    unsigned int const written = toUnits.toBytes(src, n, srcType, _buffer, 2 * _capacity);
    if (outLen != nullptr)
        *outLen = written / 2;
    _buffer[written / 2] = 0;
    return _buffer;
}

unsigned short const* WCharBuffer::toWChars(text::Conversion const* conv, char const* src,
                                            unsigned int* outLen) {
    unsigned int const n = src != nullptr ? static_cast<unsigned int>(std::strlen(src)) : 0;
    return toWChars(conv, src, n, outLen);
}

} // namespace lang
} // namespace cpp
