#include "wux/system/DataChunkOutputStream.h"

#include "io/ByteBlock.h"
#include "io/EncodedString.h"
#include "util/LibraryResources.h"
#include "wux/io/IOException.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/lang/OutOfMemoryException.h"
#include "wux/text/Conversion.h"

#include <new>

namespace cpp {
namespace system {
using cpp::io::ByteBlock;
using cpp::io::IOException;
using cpp::io::OutputStream;
using cpp::lang::AllocatorAdapter;
using cpp::lang::ArgumentException;
using cpp::lang::IAllocator;
using cpp::lang::NotImplementedException;
using cpp::lang::OutOfMemoryException;
using cpp::lang::String;
using cpp::text::Conversion;

// An open chunk: its id, the body bytes counted so far, and where its 8
// header bytes lie in the pending block (an index, so that it stays valid
// when the block moves).
struct DataChunkOutputStream::Entry {
    int id;
    unsigned int length;
    unsigned int header;
};

namespace {

unsigned int const INITIAL_BLOCK = 1024;
// An outermost chunk that ends with this many bytes pending sends them on.
unsigned int const FLUSH_THRESHOLD = 8192;

// Checks the constructor's arguments before the DataOutputStream part takes
// the wrapped stream, so that a refused construction leaves a stream the
// caller still owns untouched; an owned one is deleted.
OutputStream* acceptArguments(OutputStream* out, bool owns, IAllocator* allocator) {
    if (out == nullptr)
        throw ArgumentException(String("The output stream object is null."), String("out"));
    if (allocator == nullptr) {
        if (owns)
            delete out;
        throw ArgumentException(String("The allocator pointer is null."), String("alloc"));
    }
    return out;
}

[[noreturn]] void throwKeyed(char const* key) {
    throw IOException(util::libraryLoader(), String(key), 0);
}

void storeBigEndian(unsigned char* p, unsigned __int64 v, int size) {
    for (int i = size - 1; i >= 0; --i) {
        p[i] = static_cast<unsigned char>(v & 0xFF);
        v >>= 8;
    }
}

} // namespace

DataChunkOutputStream::DataChunkOutputStream(OutputStream* out, bool owns, IAllocator* allocator)
    : io::DataOutputStream(acceptArguments(out, owns, allocator), owns), _autoClose(true),
      _allocator(allocator), _block(nullptr), _stack(AllocatorAdapter<Entry*>(allocator)) {
    init(owns);
}

DataChunkOutputStream::DataChunkOutputStream(OutputStream* out, bool autoClose, bool owns,
                                             IAllocator* allocator)
    : io::DataOutputStream(acceptArguments(out, owns, allocator), owns), _autoClose(autoClose),
      _allocator(allocator), _block(nullptr), _stack(AllocatorAdapter<Entry*>(allocator)) {
    init(owns);
}

void DataChunkOutputStream::init(bool owns) {
    try {
        _block = io::createByteBlock(_allocator, INITIAL_BLOCK);
    } catch (...) {
        // The DataOutputStream part must not close a stream that was never
        // used; an owned one is deleted.
        OutputStream* out = getOutputStream();
        detachOutputStream();
        if (owns)
            delete out;
        throw;
    }
}

DataChunkOutputStream::~DataChunkOutputStream() {
    try {
        close();
    } catch (...) {
        // A destructor reports nothing.
    }
    for (Entry* e : _stack)
        _allocator->free(e);
    io::destroyByteBlock(_allocator, _block);
}

void DataChunkOutputStream::checkOpen() const {
    if (getOutputStream() == nullptr)
        throwKeyed("IDS_OUT_HAS_CLOSED");
}

void DataChunkOutputStream::write(unsigned char const* bytes, unsigned int count) {
    checkOpen();
    if (bytes == nullptr)
        throw ArgumentException(String("The data buffer to write is null."), String("bytes"));
    io::appendBytes(_block, bytes, count);
    if (!_stack.empty())
        _stack.back()->length += count;
}

void DataChunkOutputStream::put(unsigned char const* bytes, unsigned int count) {
    write(bytes, count);
}

__int64 DataChunkOutputStream::seek(__int64, io::SeekOrigin) {
    throwKeyed("IDS_INVALID_OPERATION");
}

void DataChunkOutputStream::flush() {}

void DataChunkOutputStream::startChunk(int id) {
    checkOpen();
    Entry* e = static_cast<Entry*>(_allocator->malloc(sizeof(Entry)));
    e->id = id;
    e->length = 0;
    e->header = _block->size();
    try {
        _stack.push_back(e);
    } catch (...) {
        _allocator->free(e);
        throw;
    }
    try {
        writeInt(id);
        writeUInt(0);
    } catch (...) {
        // No half-written header stays behind.
        io::truncateBytes(_block, e->header);
        _stack.pop_back();
        _allocator->free(e);
        throw;
    }
    e->length = 0;
}

void DataChunkOutputStream::endChunk() {
    checkOpen();
    if (_stack.empty())
        throwKeyed("IDS_EMPTY_ENTRIES");
    Entry* e = _stack.back();
    storeBigEndian(_block->start + e->header + 4, e->length, 4);
    _stack.pop_back();
    struct Release {
        IAllocator* alloc;
        Entry* entry;
        ~Release() { alloc->free(entry); }
    } release = {_allocator, e};
    if (!_stack.empty()) {
        _stack.back()->length += e->length + 8;
        return;
    }
    if (_block->size() >= FLUSH_THRESHOLD) {
        OutputStream* out = getOutputStream();
        out->write(_block->start, _block->size());
        _block->clear();
        out->flush();
    }
}

void DataChunkOutputStream::close() {
    OutputStream* out = getOutputStream();
    if (out == nullptr)
        return;
    // Each endChunk() takes its entry off the stack before anything in it
    // can fail, so this ends.
    while (!_stack.empty()) {
        try {
            endChunk();
        } catch (...) {
        }
    }
    try {
        if (_block->size() > 0) {
            out->write(_block->start, _block->size());
            _block->clear();
            out->flush();
        }
    } catch (...) {
    }
    bool const owns = ownsOutputStream();
    detachOutputStream();
    if (_autoClose) {
        try {
            out->close();
        } catch (...) {
            if (owns)
                delete out;
            throw;
        }
    }
    if (owns)
        delete out;
}

void DataChunkOutputStream::writeBool(bool v) {
    unsigned char const b = v ? 1 : 0;
    put(&b, 1);
}

void DataChunkOutputStream::writeChar(char v) {
    unsigned char const b = static_cast<unsigned char>(v);
    put(&b, 1);
}

void DataChunkOutputStream::writeWChar(unsigned short v) {
    unsigned char b[2];
    storeBigEndian(b, v, 2);
    put(b, 2);
}

void DataChunkOutputStream::writeByte(unsigned char v) {
    put(&v, 1);
}

void DataChunkOutputStream::writeShort(short v) {
    unsigned char b[2];
    storeBigEndian(b, static_cast<unsigned short>(v), 2);
    put(b, 2);
}

void DataChunkOutputStream::writeUShort(unsigned short v) {
    unsigned char b[2];
    storeBigEndian(b, v, 2);
    put(b, 2);
}

void DataChunkOutputStream::writeInt(int v) {
    unsigned char b[4];
    storeBigEndian(b, static_cast<unsigned int>(v), 4);
    put(b, 4);
}

void DataChunkOutputStream::writeUInt(unsigned int v) {
    unsigned char b[4];
    storeBigEndian(b, v, 4);
    put(b, 4);
}

void DataChunkOutputStream::writeInt64(__int64 v) {
    unsigned char b[8];
    storeBigEndian(b, static_cast<unsigned __int64>(v), 8);
    put(b, 8);
}

void DataChunkOutputStream::writeUInt64(unsigned __int64 v) {
    unsigned char b[8];
    storeBigEndian(b, v, 8);
    put(b, 8);
}

void DataChunkOutputStream::writeFloat(float) {
    throw NotImplementedException();
}

void DataChunkOutputStream::writeDouble(double) {
    throw NotImplementedException();
}

void DataChunkOutputStream::writeString(String const& s, Conversion const* conversion) {
    checkOpen();
    io::EncodedString text(_allocator, s, conversion);
    writeUInt(text.size());
    unsigned char const* p = text.bytes();
    for (unsigned int i = 0; i < text.size(); ++i)
        writeChar(static_cast<char>(p[i]));
}

void DataChunkOutputStream::writeString(String const& s) {
    unsigned int const length = s.getLength();
    writeUInt(length);
    unsigned short const* units = s.getCStr();
    for (unsigned int i = 0; i < length; ++i)
        writeWChar(units[i]);
}

} // namespace system
} // namespace cpp
