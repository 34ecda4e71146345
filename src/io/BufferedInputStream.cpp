#include "wux/io/BufferedInputStream.h"

#include "wux/io/IOException.h"
#include "wux/lang/ArgumentException.h"

#include <cstring>

namespace cpp {
namespace io {
using cpp::lang::ArgumentException;
using cpp::lang::String;

unsigned int BufferedInputStream::defaultSize = 2048;

namespace {

// A block read counts in int: no buffer is made larger than that.
unsigned int const MAX_BUFFER = 0x7FFFFFFFu;
__int64 const MAX_INT64 = 0x7FFFFFFFFFFFFFFFLL;
__int64 const MIN_INT64 = -MAX_INT64 - 1;

unsigned int bufferSize(__int64 available, unsigned int limit) {
    if (available <= 0)
        return 0;
    if (limit > MAX_BUFFER)
        limit = MAX_BUFFER;
    return available < limit ? static_cast<unsigned int>(available) : limit;
}

} // namespace

BufferedInputStream::BufferedInputStream(InputStream* in, bool owns)
    : _in(in), _buffer(nullptr), _size(0), _filled(0), _position(0), _owns(owns), _autoClose(true) {
    if (in == nullptr)
        throw ArgumentException(String("The input stream is null."), String("in"));
    init(defaultSize);
}

BufferedInputStream::BufferedInputStream(InputStream* in, unsigned int initSize, bool owns)
    : _in(in), _buffer(nullptr), _size(0), _filled(0), _position(0), _owns(owns), _autoClose(true) {
    if (in == nullptr)
        throw ArgumentException(String("The input stream is null."), String("in"));
    if (initSize == 0) {
        if (owns)
            delete in;
        throw ArgumentException(String("The initial size is 0."), String("initSize"));
    }
    init(initSize);
}

void BufferedInputStream::init(unsigned int limit) {
    // The stream handed over is deleted when this stream cannot be built.
    try {
        unsigned int const size = bufferSize(_in->available(), limit);
        _buffer = new unsigned char[size];
        _size = size;
    } catch (...) {
        if (_owns)
            delete _in;
        throw;
    }
}

BufferedInputStream::~BufferedInputStream() {
    try {
        close();
    } catch (...) {
        // A destructor reports nothing.
    }
}

int BufferedInputStream::read(unsigned char* bytes, int count) {
    checkClosed();
    if (bytes == nullptr)
        throw ArgumentException(String("The buffer into which the data is read is null."),
                                String("bytes"));
    if (count <= 0)
        return 0;
    int r = readBuf(bytes, count);
    if (r < 1)
        return -1;
    while (r < count) {
        if (_in->available() <= 0)
            break;
        int const k = readBuf(bytes + r, count - r);
        if (k < 1)
            break;
        r += k;
    }
    return r;
}

int BufferedInputStream::readBuf(unsigned char* bytes, int count) {
    unsigned int k = _filled - _position;
    if (k < 1) {
        if (static_cast<unsigned int>(count) >= _size)
            return _in->read(bytes, count);
        internalRead();
        if (_filled < 1)
            return 0;
        k = _filled;
    }
    unsigned int const m =
        static_cast<unsigned int>(count) < k ? static_cast<unsigned int>(count) : k;
    std::memcpy(bytes, _buffer + _position, m);
    _position += m;
    return static_cast<int>(m);
}

void BufferedInputStream::internalRead() {
    int const n = _in->read(_buffer, static_cast<int>(_size));
    _position = 0;
    if (n < 1)
        _filled = 0;
    else
        _filled = static_cast<unsigned int>(n) < _size ? static_cast<unsigned int>(n) : _size;
}

int BufferedInputStream::read() {
    checkClosed();
    if (_position >= _filled) {
        internalRead();
        if (_filled == 0)
            return -1;
    }
    return _buffer[_position++];
}

__int64 BufferedInputStream::seek(__int64 offset, SeekOrigin origin) {
    checkClosed();
    __int64 const left = static_cast<__int64>(_filled - _position);
    __int64 target = offset;
    if (origin == Current) {
        if (offset >= 0 && offset <= left) {
            _position += static_cast<unsigned int>(offset);
            return offset;
        }
        if (offset < 0 && offset >= -static_cast<__int64>(_position)) {
            _position -= static_cast<unsigned int>(-offset);
            return offset;
        }
        // The wrapped stream stands after the buffered bytes not yet read.
        target = offset < MIN_INT64 + left ? MIN_INT64 : offset - left;
    }
    __int64 const result = _in->seek(target, origin);
    // The buffer is dropped only once the wrapped stream has moved: a seek
    // that fails leaves both as they were.
    _filled = 0;
    _position = 0;
    return result;
}

void BufferedInputStream::close() {
    if (_in == nullptr)
        return;
    InputStream* in = _in;
    _in = nullptr;
    delete[] _buffer;
    _buffer = nullptr;
    _filled = 0;
    _position = 0;
    if (!_autoClose)
        return;
    // The wrapped stream is deleted even when its close() fails; the failure
    // is then reported.
    try {
        in->close();
    } catch (...) {
        if (_owns)
            delete in;
        throw;
    }
    if (_owns)
        delete in;
}

__int64 BufferedInputStream::available() const {
    checkClosed();
    __int64 const left = static_cast<__int64>(_filled - _position);
    __int64 const more = _in->available();
    return more > MAX_INT64 - left ? MAX_INT64 : left + more;
}

void BufferedInputStream::setAutoClose(bool autoClose) {
    _autoClose = autoClose;
}

void BufferedInputStream::checkClosed() const {
    if (_in == nullptr)
        throw IOException(String("The input stream has been closed."));
}

} // namespace io
} // namespace cpp
