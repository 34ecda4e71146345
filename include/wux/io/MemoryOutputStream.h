//===- wux/io/MemoryOutputStream.h - Writing into memory --------*- C++ -*-===//
//
// MemoryOutputStream writes into a block of memory: either its own block,
// which starts at 2048 bytes and grows as needed, or a fixed block the caller
// supplies.
//
//   MemoryOutputStream out;                  // growable, 2048 bytes
//   out.write(data, 5000);                   // grows to 2048 + 2 * 5000
//   out.getLength();                         // 5000
//   out.getBuffer();                         // the 5000 bytes
//
//   unsigned char fixed[16];
//   MemoryOutputStream into(fixed, 16, false);
//   into.write(data, 16);                    // fits exactly
//   into.write(0);                           // throws EOFException
//
// The position is also the length: seeking back and writing again discards
// what lay beyond. Growth adds twice the size of the write that did not fit
// and keeps the bytes before the position; memory the stream allocates
// itself is zero-filled, so seeking past the data written shows zeros. A
// size beyond 32 bits throws OutOfMemoryException; a failed write changes
// nothing. After close() getBuffer(), getLength(), getCapacity() and write()
// throw IOException "The memory stream has been closed."; seek() still
// works.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_MEMORYOUTPUTSTREAM_H
#define WUX_IO_MEMORYOUTPUTSTREAM_H

#include "wux/io/OutputStream.h"
#include "wux/lang/Export.h"

namespace cpp {
namespace io {

class WUX_API MemoryOutputStream : public OutputStream {
public:
    /// Its own growable block of 2048 bytes.
    MemoryOutputStream();
    /// Writes into the \p size bytes at \p buf, which never grow. \p owns:
    /// release \p buf with delete[] on close. A null \p buf throws
    /// ArgumentException "The output buffer is null." ("buf").
    MemoryOutputStream(unsigned char* buf, unsigned int size, bool owns);
    MemoryOutputStream(MemoryOutputStream const&) = delete;
    MemoryOutputStream& operator=(MemoryOutputStream const&) = delete;
    /// Calls close().
    ~MemoryOutputStream() override;

    /// Copies \p count bytes at the position and advances it. A fixed block
    /// that is too small throws EOFException; a growable one grows.
    void write(unsigned char const* bytes, unsigned int count) override;
    /// One byte, as write(&b, 1); the common case without the block copy.
    void write(int b) override;
    /// Moves the position within 0..capacity and returns it.
    __int64 seek(__int64 offset, SeekOrigin origin) override;
    /// Releases an owned block; the stream is closed afterwards.
    void close() override;
    /// The block; its first getLength() bytes are the data.
    unsigned char const* getBuffer() const override;

    /// The position, which is the length of the data.
    unsigned int getLength() const;
    /// The size of the block.
    unsigned int getCapacity() const;

protected:
    /// Throws IOException "The memory stream has been closed." once closed.
    void checkClosed() const;

private:
    unsigned char* _buffer;
    unsigned int _capacity;
    unsigned int _position;
    bool _owns;
    bool _growable;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_MEMORYOUTPUTSTREAM_H
