#include "wux/io/BufferedOutputStream.h"

#include "io/ByteBlock.h"
#include "wux/io/IOException.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/IAllocator.h"

namespace cpp {
namespace io {
using cpp::lang::ArgumentException;
using cpp::lang::IAllocator;
using cpp::lang::String;

BufferedOutputStream::BufferedOutputStream(OutputStream* out, bool owns)
    : _out(out), _owns(owns), _autoClose(true), _block(nullptr) {
    if (out == nullptr)
        throw ArgumentException(String("The output stream object is null."), String("out"));
}

BufferedOutputStream::BufferedOutputStream(OutputStream* out, unsigned int initSize, bool owns)
    : _out(out), _owns(owns), _autoClose(true), _block(nullptr) {
    if (out == nullptr)
        throw ArgumentException(String("The output stream object is null."), String("out"));
    try {
        if (initSize == 0)
            throw ArgumentException(String("The initial size is zero."), String("initSize"));
        _block = createByteBlock(IAllocator::getWUXAllocator(), initSize);
    } catch (...) {
        // The stream handed over is deleted when this stream cannot be built.
        if (owns)
            delete out;
        throw;
    }
}

BufferedOutputStream::~BufferedOutputStream() {
    try {
        close();
    } catch (...) {
        // A destructor reports nothing.
    }
}

void BufferedOutputStream::write(unsigned char const* bytes, unsigned int count) {
    checkClosed();
    if (bytes == nullptr)
        throw ArgumentException(String("The data buffer to write is null."), String("bytes"));
    if (_block == nullptr) {
        _block = createByteBlock(IAllocator::getWUXAllocator(), count);
    }
    appendBytes(_block, bytes, count);
}

__int64 BufferedOutputStream::seek(__int64 offset, SeekOrigin origin) {
    checkClosed();
    flush();
    return _out->seek(offset, origin);
}

void BufferedOutputStream::flush() {
    checkClosed();
    if (_block != nullptr && _block->size() > 0) {
        _out->write(_block->start, _block->size());
        // Emptied only once the write went through: a failed flush keeps
        // the bytes.
        _block->clear();
    }
    _out->flush();
}

void BufferedOutputStream::close() {
    if (_out == nullptr)
        return;
    try {
        flush();
    } catch (...) {
        release(false);
        throw;
    }
    release(true);
}

void BufferedOutputStream::release(bool reportErrors) {
    OutputStream* out = _out;
    _out = nullptr;
    destroyByteBlock(IAllocator::getWUXAllocator(), _block);
    _block = nullptr;
    if (!_autoClose)
        return;
    try {
        out->close();
    } catch (...) {
        if (_owns)
            delete out;
        if (reportErrors)
            throw;
        return;
    }
    if (_owns)
        delete out;
}

unsigned char const* BufferedOutputStream::getBuffer() const {
    checkClosed();
    return _block != nullptr ? _block->start : nullptr;
}

void BufferedOutputStream::setAutoClose(bool autoClose) {
    _autoClose = autoClose;
}

void BufferedOutputStream::checkClosed() const {
    if (_out == nullptr)
        throw IOException(String("The output stream has been closed."));
}

} // namespace io
} // namespace cpp
