#include "wux/io/DataOutputStream.h"

#include "io/EncodedString.h"

#include "wux/io/IOException.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/lang/OutOfMemoryException.h"
#include "wux/text/Conversion.h"

namespace cpp {
namespace io {
using cpp::lang::ArgumentException;
using cpp::lang::IAllocator;
using cpp::lang::NotImplementedException;
using cpp::lang::OutOfMemoryException;
using cpp::lang::String;
using cpp::text::Conversion;

DataOutputStream::DataOutputStream(OutputStream* out, bool owns) : _out(out), _owns(owns) {
    if (out == nullptr)
        throw ArgumentException(String("The output stream object is null."), String("out"));
}

DataOutputStream::~DataOutputStream() {
    try {
        close();
    } catch (...) {
        // A destructor reports nothing.
    }
}

void DataOutputStream::write(unsigned char const* bytes, unsigned int count) {
    checkClosed();
    _out->write(bytes, count);
}

__int64 DataOutputStream::seek(__int64 offset, SeekOrigin origin) {
    checkClosed();
    return _out->seek(offset, origin);
}

void DataOutputStream::flush() {
    checkClosed();
    _out->flush();
}

void DataOutputStream::close() {
    if (_out == nullptr)
        return;
    OutputStream* out = _out;
    _out = nullptr;
    try {
        out->flush();
    } catch (...) {
        // Closing goes on: the wrapped stream is closed whatever its flush
        // did.
    }
    try {
        out->close();
    } catch (...) {
        if (_owns)
            delete out;
        throw;
    }
    if (_owns)
        delete out;
}

unsigned char const* DataOutputStream::getBuffer() const {
    checkClosed();
    return _out->getBuffer();
}

void DataOutputStream::putBigEndian(unsigned __int64 v, int size) {
    checkClosed();
    for (int shift = 8 * (size - 1); shift >= 0; shift -= 8)
        _out->write(static_cast<int>((v >> shift) & 0xFF));
}

// Each typed write produces its own bytes: a derived class that overrides one
// of them does not change the others (only writeWChar() and the string
// counts go through the virtual slots).

void DataOutputStream::writeBool(bool v) {
    putBigEndian(v ? 1 : 0, 1);
}

void DataOutputStream::writeChar(char v) {
    putBigEndian(static_cast<unsigned char>(v), 1);
}

void DataOutputStream::writeWChar(unsigned short v) {
    writeUShort(v);
}

void DataOutputStream::writeByte(unsigned char v) {
    putBigEndian(v, 1);
}

void DataOutputStream::writeShort(short v) {
    putBigEndian(static_cast<unsigned short>(v), 2);
}

void DataOutputStream::writeUShort(unsigned short v) {
    putBigEndian(v, 2);
}

void DataOutputStream::writeInt(int v) {
    putBigEndian(static_cast<unsigned int>(v), 4);
}

void DataOutputStream::writeUInt(unsigned int v) {
    putBigEndian(v, 4);
}

void DataOutputStream::writeInt64(__int64 v) {
    putBigEndian(static_cast<unsigned __int64>(v), 8);
}

void DataOutputStream::writeUInt64(unsigned __int64 v) {
    putBigEndian(v, 8);
}

void DataOutputStream::writeFloat(float) {
    checkClosed();
    throw NotImplementedException();
}

void DataOutputStream::writeDouble(double) {
    checkClosed();
    throw NotImplementedException();
}

void DataOutputStream::writeString(String const& s, Conversion const* conversion) {
    checkClosed();
    EncodedString text(IAllocator::getWUXAllocator(), s, conversion);
    writeUInt(text.size());
    unsigned char const* p = text.bytes();
    for (unsigned int i = 0; i < text.size(); ++i)
        _out->write(static_cast<int>(p[i]));
}

void DataOutputStream::writeString(String const& s) {
    checkClosed();
    unsigned int const length = s.getLength();
    writeUInt(length);
    unsigned short const* units = s.getCStr();
    for (unsigned int i = 0; i < length; ++i) {
        _out->write(static_cast<int>(units[i] >> 8));
        _out->write(static_cast<int>(units[i] & 0xFF));
    }
}

void DataOutputStream::checkClosed() const {
    if (_out == nullptr)
        throw IOException(String("The output stream has been closed."));
}

} // namespace io
} // namespace cpp
