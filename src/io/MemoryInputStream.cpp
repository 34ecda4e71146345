#include "wux/io/MemoryInputStream.h"

#include "io/MemorySeek.h"
#include "wux/io/IOException.h"
#include "wux/lang/ArgumentException.h"

#include <cstring>

namespace cpp {
namespace io {
using cpp::lang::ArgumentException;
using cpp::lang::String;

MemoryInputStream::MemoryInputStream(unsigned char const* buf, unsigned int length, bool owns)
    : _buffer(buf), _length(length), _position(0), _owns(owns) {
    if (buf == nullptr)
        throw ArgumentException(String("The input buffer is null."), String("buf"));
}

MemoryInputStream::~MemoryInputStream() {
    close();
}

int MemoryInputStream::read(unsigned char* bytes, int count) {
    checkClosed();
    if (bytes == nullptr)
        throw ArgumentException(String("The buffer into which the data is read is null."),
                                String("bytes"));
    if (count <= 0)
        return 0;
    unsigned int const left = _length - _position;
    if (left == 0)
        return -1;
    unsigned int const n =
        static_cast<unsigned int>(count) < left ? static_cast<unsigned int>(count) : left;
    std::memcpy(bytes, _buffer + _position, n);
    _position += n;
    return static_cast<int>(n);
}

int MemoryInputStream::read() {
    checkClosed();
    if (_position >= _length)
        return -1;
    return _buffer[_position++];
}

__int64 MemoryInputStream::seek(__int64 offset, SeekOrigin origin) {
    checkClosed();
    _position = memorySeek(offset, origin, _length, _position);
    return _position;
}

void MemoryInputStream::close() {
    if (_buffer == nullptr)
        return;
    if (_owns)
        delete[] _buffer;
    _buffer = nullptr;
}

__int64 MemoryInputStream::available() const {
    checkClosed();
    return static_cast<__int64>(_length - _position);
}

unsigned char const* MemoryInputStream::getBuffer() const {
    checkClosed();
    return _buffer;
}

void MemoryInputStream::checkClosed() const {
    if (_buffer == nullptr)
        throw IOException(String("The memory stream has been closed."));
}

} // namespace io
} // namespace cpp
