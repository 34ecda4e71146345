#include "wux/io/MemoryOutputStream.h"

#include "io/MemorySeek.h"
#include "wux/io/EOFException.h"
#include "wux/io/IOException.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/OutOfMemoryException.h"

#include <cstring>

namespace cpp {
namespace io {
using cpp::lang::ArgumentException;
using cpp::lang::OutOfMemoryException;
using cpp::lang::String;

namespace {

unsigned int const INITIAL_CAPACITY = 2048;

// A zero-filled block: the caller may seek past the data written and see
// what lies there.
unsigned char* newZeroedBlock(unsigned int size) {
    return new unsigned char[size]();
}

} // namespace

MemoryOutputStream::MemoryOutputStream()
    : _buffer(newZeroedBlock(INITIAL_CAPACITY)), _capacity(INITIAL_CAPACITY), _position(0),
      _owns(true), _growable(true) {}

MemoryOutputStream::MemoryOutputStream(unsigned char* buf, unsigned int size, bool owns)
    : _buffer(buf), _capacity(size), _position(0), _owns(owns), _growable(false) {
    if (buf == nullptr)
        throw ArgumentException(String("The output buffer is null."), String("buf"));
}

MemoryOutputStream::~MemoryOutputStream() {
    close();
}

void MemoryOutputStream::write(int b) {
    checkClosed();
    unsigned char const byte = static_cast<unsigned char>(b & 0xFF);
    if (_position < _capacity) {
        _buffer[_position++] = byte;
        return;
    }
    write(&byte, 1);
}

void MemoryOutputStream::write(unsigned char const* bytes, unsigned int count) {
    checkClosed();
    if (bytes == nullptr)
        throw ArgumentException(String("The data buffer to write is null."), String("bytes"));
    if (count > _capacity - _position) {
        if (!_growable)
            throw EOFException();
        // The block grows by twice the write that did not fit, and at least
        // doubles: growing by twice a small write only would copy the whole
        // block again for every few bytes (a stream fed byte by byte, as
        // DataOutputStream does, would take quadratic time). Computed in 64
        // bits: a capacity beyond 32 bits cannot be held, and the stream
        // stays as it was.
        unsigned long long const old = _capacity;
        unsigned long long wanted = old + 2ull * count;
        if (wanted > 0xFFFFFFFFull)
            throw OutOfMemoryException();
        if (wanted < 2 * old && 2 * old <= 0xFFFFFFFFull)
            wanted = 2 * old;
        unsigned int const capacity = static_cast<unsigned int>(wanted);
        unsigned char* grown = newZeroedBlock(capacity);
        std::memcpy(grown, _buffer, _position);
        delete[] _buffer; // only the stream's own block grows
        _buffer = grown;
        _capacity = capacity;
    }
    if (count != 0)
        std::memcpy(_buffer + _position, bytes, count);
    _position += count;
}

__int64 MemoryOutputStream::seek(__int64 offset, SeekOrigin origin) {
    _position = memorySeek(offset, origin, _capacity, _position);
    return _position;
}

void MemoryOutputStream::close() {
    if (_buffer == nullptr)
        return;
    if (_owns)
        delete[] _buffer;
    _buffer = nullptr;
}

unsigned char const* MemoryOutputStream::getBuffer() const {
    checkClosed();
    return _buffer;
}

unsigned int MemoryOutputStream::getLength() const {
    checkClosed();
    return _position;
}

unsigned int MemoryOutputStream::getCapacity() const {
    checkClosed();
    return _capacity;
}

void MemoryOutputStream::checkClosed() const {
    if (_buffer == nullptr)
        throw IOException(String("The memory stream has been closed."));
}

} // namespace io
} // namespace cpp
