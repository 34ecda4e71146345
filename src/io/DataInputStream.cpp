#include "wux/io/DataInputStream.h"

#include "wux/io/EOFException.h"
#include "wux/io/IOException.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/text/Conversion.h"

namespace cpp {
namespace io {
using cpp::lang::ArgumentException;
using cpp::lang::IAllocator;
using cpp::lang::NotImplementedException;
using cpp::lang::String;
using cpp::text::Conversion;

namespace {

// The count that is never a valid string length.
unsigned int const NO_COUNT = 0xFFFFFFFFu;

// A count read from the data says what the data claims, not what it holds.
// Storage is set aside for at most what the wrapped stream reports as
// available (and never more than this many bytes at once); beyond that it
// grows with the bytes that actually arrive.
unsigned int const MAX_RESERVE = 1u << 21;
// Bytes set aside for an encoded string when nothing is reported available.
unsigned int const FIRST_STEP = 64;

// What may be set aside for \p wanted bytes when \p available are reported.
unsigned int reserveBytes(unsigned long long wanted, __int64 available, unsigned int least) {
    unsigned long long limit = available > 0 ? static_cast<unsigned long long>(available) : 0;
    if (limit < least)
        limit = least;
    if (limit > MAX_RESERVE)
        limit = MAX_RESERVE;
    return static_cast<unsigned int>(wanted < limit ? wanted : limit);
}

// A growing block from an allocator, given back when the scope ends.
class ByteBuffer {
public:
    ByteBuffer(IAllocator* alloc, unsigned int capacity)
        : _alloc(alloc), _bytes(static_cast<unsigned char*>(alloc->malloc(capacity))),
          _capacity(capacity) {}
    ~ByteBuffer() { _alloc->free(_bytes); }
    ByteBuffer(ByteBuffer const&) = delete;
    ByteBuffer& operator=(ByteBuffer const&) = delete;

    unsigned char* get() const { return _bytes; }
    unsigned int capacity() const { return _capacity; }
    /// Doubles the capacity, up to \p limit.
    void grow(unsigned int limit) {
        unsigned long long wanted = 2ull * _capacity;
        if (wanted > limit)
            wanted = limit;
        unsigned int const capacity = static_cast<unsigned int>(wanted);
        _bytes = static_cast<unsigned char*>(_alloc->realloc(_bytes, capacity));
        _capacity = capacity;
    }

private:
    IAllocator* _alloc;
    unsigned char* _bytes;
    unsigned int _capacity;
};

} // namespace

DataInputStream::DataInputStream(InputStream* in, bool owns) : _in(in), _owns(owns) {
    if (in == nullptr)
        throw ArgumentException(String("The input stream cannot be null."), String("in"));
}

DataInputStream::~DataInputStream() {
    try {
        close();
    } catch (...) {
        // A destructor reports nothing.
    }
}

int DataInputStream::read(unsigned char* bytes, int count) {
    checkClosed();
    return _in->read(bytes, count);
}

__int64 DataInputStream::seek(__int64 offset, SeekOrigin origin) {
    checkClosed();
    return _in->seek(offset, origin);
}

void DataInputStream::close() {
    if (_in == nullptr)
        return;
    InputStream* in = _in;
    _in = nullptr;
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

__int64 DataInputStream::available() const {
    checkClosed();
    return _in->available();
}

unsigned char DataInputStream::nextByte() {
    int const b = _in->read();
    if (b < 0)
        throw EOFException();
    return static_cast<unsigned char>(b);
}

bool DataInputStream::readBool() {
    checkClosed();
    return nextByte() != 0;
}

char DataInputStream::readChar() {
    checkClosed();
    return static_cast<char>(nextByte());
}

unsigned short DataInputStream::readWChar() {
    return readUShort();
}

unsigned char DataInputStream::readByte() {
    checkClosed();
    return nextByte();
}

unsigned int DataInputStream::takeBigEndian(int size) {
    checkClosed();
    // All bytes of the value are taken before the end of the data is
    // reported.
    int b[4];
    for (int i = 0; i < size; ++i)
        b[i] = _in->read();
    unsigned int v = 0;
    for (int i = 0; i < size; ++i) {
        if (b[i] < 0)
            throw EOFException();
        v = (v << 8) | static_cast<unsigned int>(b[i] & 0xFF);
    }
    return v;
}

// Each typed read takes its own bytes: a derived class that overrides one of
// them does not change the others (only readWChar(), the 64-bit reads and the
// string counts go through the virtual slots).

short DataInputStream::readShort() {
    return static_cast<short>(takeBigEndian(2));
}

unsigned short DataInputStream::readUShort() {
    return static_cast<unsigned short>(takeBigEndian(2));
}

int DataInputStream::readInt() {
    return static_cast<int>(takeBigEndian(4));
}

unsigned int DataInputStream::readUInt() {
    return takeBigEndian(4);
}

__int64 DataInputStream::readInt64() {
    unsigned int const hi = static_cast<unsigned int>(readInt());
    unsigned int const lo = static_cast<unsigned int>(readInt());
    return static_cast<__int64>((static_cast<unsigned __int64>(hi) << 32) | lo);
}

unsigned __int64 DataInputStream::readUInt64() {
    unsigned int const hi = static_cast<unsigned int>(readInt());
    unsigned int const lo = static_cast<unsigned int>(readInt());
    return (static_cast<unsigned __int64>(hi) << 32) | lo;
}

float DataInputStream::readFloat() {
    throw NotImplementedException();
}

double DataInputStream::readDouble() {
    throw NotImplementedException();
}

void DataInputStream::readString(Conversion const* conversion, String& out) {
    checkClosed();
    if (conversion == nullptr)
        throw ArgumentException(String("The conversion object is null."), String("conversion"));
    out.clear();
    unsigned int const m = readUInt();
    if (m == NO_COUNT)
        throw EOFException();
    if (m == 0)
        return;
    // The encoded bytes are gathered on the target string's allocator, in a
    // buffer that grows as they arrive.
    ByteBuffer bytes(out.getAllocator(), reserveBytes(m, _in->available(), FIRST_STEP));
    for (unsigned int i = 0; i < m; ++i) {
        if (i == bytes.capacity())
            bytes.grow(m);
        int const b = _in->read();
        if (b < 0)
            throw EOFException();
        bytes.get()[i] = static_cast<unsigned char>(b);
    }
    out = Conversion::toString(bytes.get(), m, conversion->getEncodingType());
}

String DataInputStream::readString(Conversion const* conversion) {
    String s;
    readString(conversion, s);
    return s;
}

void DataInputStream::readString(String& out) {
    checkClosed();
    unsigned int const n = readUInt();
    if (n == NO_COUNT)
        throw EOFException();
    out.clear();
    out.reserve(reserveBytes(2ull * n, _in->available(), 0) / 2);
    // Units are gathered in small runs and appended, so the string grows
    // with the data that arrives, by its own amortised steps.
    unsigned short run[256];
    unsigned int filled = 0;
    for (unsigned int i = 0; i < n; ++i) {
        int const b0 = _in->read();
        int const b1 = _in->read();
        if (b0 < 0 || b1 < 0) {
            out.append(run, filled);
            throw EOFException();
        }
        run[filled++] = static_cast<unsigned short>(((b0 & 0xFF) << 8) + (b1 & 0xFF));
        if (filled == sizeof run / sizeof run[0]) {
            out.append(run, filled);
            filled = 0;
        }
    }
    out.append(run, filled);
}

String DataInputStream::readString() {
    String s;
    readString(s);
    return s;
}

void DataInputStream::checkClosed() const {
    if (_in == nullptr)
        throw IOException(String("The input stream has been closed."));
}

} // namespace io
} // namespace cpp
