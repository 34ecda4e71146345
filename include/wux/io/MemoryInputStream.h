//===- wux/io/MemoryInputStream.h - Reading a block of memory ---*- C++ -*-===//
//
// MemoryInputStream reads from a block of memory the caller supplies. The
// block is not copied; when the stream is told it owns the block it releases
// it with delete[] on close.
//
//   static unsigned char const data[] = {1, 2, 3, 4, 5, 6};
//   MemoryInputStream in(data, sizeof data, false);
//   unsigned char block[4];
//   in.read(block, 4);            // 4: 01 02 03 04
//   in.available();               // 2
//   in.seek(-1, End);             // 5
//   in.read();                    // 6
//   in.read();                    // -1: end of the data
//
// seek() never fails: a target before the start gives 0, one after the end
// gives the length, and an unknown origin leaves the position. After close()
// every operation but close() throws IOException "The memory stream has been
// closed.".
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_MEMORYINPUTSTREAM_H
#define WUX_IO_MEMORYINPUTSTREAM_H

#include "wux/io/InputStream.h"
#include "wux/lang/Export.h"

namespace cpp {
namespace io {

class WUX_API MemoryInputStream : public InputStream {
public:
    /// Reads the \p length bytes at \p buf (kept, not copied), from position
    /// 0. \p owns: release \p buf with delete[] on close. A null \p buf
    /// throws ArgumentException "The input buffer is null." ("buf").
    MemoryInputStream(unsigned char const* buf, unsigned int length, bool owns);
    MemoryInputStream(MemoryInputStream const&) = delete;
    MemoryInputStream& operator=(MemoryInputStream const&) = delete;
    /// Calls close().
    ~MemoryInputStream() override;

    /// Copies up to \p count bytes; -1 when none is left, 0 for \p count 0.
    int read(unsigned char* bytes, int count) override;
    /// The next byte (0..255), or -1 at the end.
    int read() override;
    /// Moves the position within 0..length and returns it.
    __int64 seek(__int64 offset, SeekOrigin origin) override;
    /// Releases an owned block; the stream is closed afterwards.
    void close() override;
    /// length - position.
    __int64 available() const override;

    /// The block read from.
    unsigned char const* getBuffer() const;

protected:
    /// Throws IOException "The memory stream has been closed." once closed.
    void checkClosed() const;

private:
    unsigned char const* _buffer;
    unsigned int _length;
    unsigned int _position;
    bool _owns;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_MEMORYINPUTSTREAM_H
