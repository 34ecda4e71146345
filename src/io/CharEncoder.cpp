#include "io/CharEncoder.h"

#include "io/ByteBlock.h"
#include "io/ConversionCharEncoder.h"
#include "io/UTF16CharEncoder.h"
#include "wux/io/OutputStream.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/lang/OutOfMemoryException.h"
#include "wux/text/Conversion.h"
#include "wux/text/Encoding.h"

#include <cstring>
#include <exception>
#include <new>

namespace cpp {
namespace io {
using cpp::lang::IAllocator;
using cpp::lang::NotImplementedException;
using cpp::lang::OutOfMemoryException;
using cpp::text::EncodingType;

CharEncoder::CharEncoder(OutputStream* destination, bool ownsDestination, EncodingType type,
                         unsigned int bufSize)
    : _destination(destination), _ownsDestination(ownsDestination), _conversion(nullptr),
      _block(nullptr) {
    _conversion = text::Encoding::createConversion(type);
    try {
        _block = createByteBlock(IAllocator::getWUXAllocator(), bufSize);
    } catch (...) {
        delete _conversion;
        throw;
    }
}

CharEncoder::~CharEncoder() {
    destroyByteBlock(IAllocator::getWUXAllocator(), _block);
    delete _conversion;
}

void CharEncoder::complete() {}

CharEncoder* CharEncoder::create(OutputStream* destination, bool ownsDestination, EncodingType type,
                                 unsigned int bufSize) {
    if (static_cast<unsigned int>(type) > text::UTF16BE)
        throw NotImplementedException();
    bool const utf16 = type == text::UTF16LE || type == text::UTF16BE;
    IAllocator* alloc = IAllocator::getWUXAllocator();
    void* memory = alloc->malloc(utf16 ? sizeof(UTF16CharEncoder) : sizeof(ConversionCharEncoder));
    if (memory == nullptr)
        throw OutOfMemoryException();
    try {
        if (utf16)
            return new (memory) UTF16CharEncoder(destination, ownsDestination, type, bufSize);
        return new (memory) ConversionCharEncoder(destination, ownsDestination, type, bufSize);
    } catch (...) {
        alloc->free(memory);
        throw;
    }
}

void CharEncoder::destroy(CharEncoder* encoder) {
    if (encoder == nullptr)
        return;
    encoder->~CharEncoder();
    IAllocator::getWUXAllocator()->free(encoder);
}

void CharEncoder::flush() {
    if (_block != nullptr && _block->size() > 0) {
        _destination->write(_block->start, _block->size());
        _block->clear();
    }
    _destination->flush();
}

void CharEncoder::close() {
    OutputStream* destination = _destination;
    if (destination == nullptr)
        return;
    // The first failure is reported once everything is released; the
    // destination is closed even when the pending text could not be written.
    std::exception_ptr failure;
    try {
        complete();
        flush();
    } catch (...) {
        failure = std::current_exception();
    }
    try {
        destination->close();
    } catch (...) {
        if (!failure)
            failure = std::current_exception();
    }
    _destination = nullptr;
    destroyByteBlock(IAllocator::getWUXAllocator(), _block);
    _block = nullptr;
    delete _conversion;
    _conversion = nullptr;
    if (_ownsDestination)
        delete destination;
    if (failure)
        std::rethrow_exception(failure);
}

unsigned char* CharEncoder::reserve(unsigned int count) {
    // The pending block's rule: twice what it must hold, as far as 32 bits
    // reach.
    return reserveBytes(_block, count);
}

void CharEncoder::commit(unsigned int count) {
    _block->end += count;
}

} // namespace io
} // namespace cpp
