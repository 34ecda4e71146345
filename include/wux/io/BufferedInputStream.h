//===- wux/io/BufferedInputStream.h - Block reads ---------------*- C++ -*-===//
//
// BufferedInputStream stands in for another InputStream and reads it in
// blocks into a buffer whose size is fixed at construction: at most
// defaultSize (2048) bytes, or the size given, and never more than the
// wrapped stream has available at that moment.
//
//   MemoryInputStream* mem = new MemoryInputStream(data, 10000, false);
//   BufferedInputStream in(mem, true);      // 2048-byte buffer, owns mem
//   int b = in.read();                      // fills the buffer, gives byte 0
//   unsigned char block[100];
//   in.read(block, 100);                    // from the buffer
//   in.seek(-2, Current);                   // -2: moved inside the buffer
//   in.close();                             // closes and deletes mem
//
// A block read returns less than asked only when the wrapped stream reports
// nothing more available. A request at least as large as the buffer reads
// straight into the caller's memory. seek() with Current returns the offset
// itself when the target lies in the buffer, otherwise the wrapped stream's
// answer.
//
// Ownership: with owns the wrapped stream is deleted when this stream
// closes; setAutoClose(false) keeps it open and alive whatever owns says.
// After close() every operation but close() throws IOException "The input
// stream has been closed.". The destructor closes and never throws; an
// explicit close() reports what the wrapped stream's close() threw, after
// finishing its own work.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_BUFFEREDINPUTSTREAM_H
#define WUX_IO_BUFFEREDINPUTSTREAM_H

#include "wux/io/InputStream.h"
#include "wux/lang/Export.h"

namespace cpp {
namespace io {

class WUX_API BufferedInputStream : public InputStream {
public:
    /// The largest buffer the two-argument constructor allocates.
    static unsigned int defaultSize;

    /// A buffer of min(in->available(), defaultSize) bytes. A null \p in
    /// throws ArgumentException "The input stream is null." ("in"). When the
    /// construction fails and \p owns is true, \p in is deleted.
    BufferedInputStream(InputStream* in, bool owns);
    /// A buffer of min(initSize, in->available()) bytes. \p initSize 0
    /// throws ArgumentException "The initial size is 0." ("initSize").
    BufferedInputStream(InputStream* in, unsigned int initSize, bool owns);
    BufferedInputStream(BufferedInputStream const&) = delete;
    BufferedInputStream& operator=(BufferedInputStream const&) = delete;
    /// Closes; never throws.
    ~BufferedInputStream() override;

    int read(unsigned char* bytes, int count) override;
    int read() override;
    __int64 seek(__int64 offset, SeekOrigin origin) override;
    void close() override;
    /// Buffered bytes plus the wrapped stream's available().
    __int64 available() const override;

    /// false: close() leaves the wrapped stream open and alive.
    void setAutoClose(bool autoClose);

protected:
    /// One step of a block read: from the buffer, refilling it when empty,
    /// or straight from the wrapped stream for requests as large as the
    /// buffer. 0 when a refill brings nothing.
    int readBuf(unsigned char* bytes, int count);
    /// Refills the buffer with one read of the wrapped stream.
    void internalRead();
    /// Throws IOException "The input stream has been closed." once closed.
    void checkClosed() const;

private:
    void init(unsigned int size);

    InputStream* _in;
    unsigned char* _buffer;
    unsigned int _size;
    unsigned int _filled;
    unsigned int _position;
    bool _owns;
    bool _autoClose;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_BUFFEREDINPUTSTREAM_H
