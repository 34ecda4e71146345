//===- wux/io/BufferedOutputStream.h - Write-behind in memory ---*- C++ -*-===//
//
// BufferedOutputStream stands in for another OutputStream and keeps every
// byte written in one growing block of memory; the whole block goes to the
// wrapped stream in a single write on flush(), seek() or close().
//
//   MemoryOutputStream* mem = new MemoryOutputStream();
//   BufferedOutputStream out(mem, true);     // owns mem
//   for (int i = 0; i < 1000; ++i)
//       out.write(i);                        // nothing reaches mem yet
//   out.flush();                             // one write of 1000 bytes
//   out.close();                             // closes and deletes mem
//
// The block is created by the first write with exactly its size (or by the
// three-argument constructor with the size given) and grows to twice what it
// must hold whenever a write does not fit; a size beyond 32 bits throws
// OutOfMemoryException and leaves the block as it was. A flush whose write
// fails keeps the pending bytes.
//
// Ownership: with owns the wrapped stream is deleted when this stream
// closes; setAutoClose(false) leaves it open and alive whatever owns says.
// After close() every operation but close() throws IOException "The
// output stream has been closed.". The destructor writes what is pending
// through close() and never throws; an explicit close() finishes its work
// and then reports the first failure.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_BUFFEREDOUTPUTSTREAM_H
#define WUX_IO_BUFFEREDOUTPUTSTREAM_H

#include "wux/io/OutputStream.h"
#include "wux/lang/Export.h"

namespace cpp {
namespace io {

struct ByteBlock;

class WUX_API BufferedOutputStream : public OutputStream {
public:
    /// No block until the first write. A null \p out throws
    /// ArgumentException "The output stream object is null." ("out").
    BufferedOutputStream(OutputStream* out, bool owns);
    /// A block of \p initSize bytes. \p initSize 0 throws ArgumentException
    /// "The initial size is zero." ("initSize"). When the construction fails
    /// and \p owns is true, \p out is deleted.
    BufferedOutputStream(OutputStream* out, unsigned int initSize, bool owns);
    BufferedOutputStream(BufferedOutputStream const&) = delete;
    BufferedOutputStream& operator=(BufferedOutputStream const&) = delete;
    /// Closes (writing what is pending); never throws.
    ~BufferedOutputStream() override;

    /// Appends to the block; nothing reaches the wrapped stream. A null
    /// \p bytes throws ArgumentException "The data buffer to write is null."
    /// ("bytes").
    void write(unsigned char const* bytes, unsigned int count) override;
    using OutputStream::write;
    /// flush(), then the wrapped stream's seek().
    __int64 seek(__int64 offset, SeekOrigin origin) override;
    /// One write of the pending bytes, then the wrapped stream's flush().
    void flush() override;
    /// flush(); with auto close, closes the wrapped stream and deletes it
    /// when owned.
    void close() override;
    /// The pending bytes; null before the first write.
    unsigned char const* getBuffer() const override;

    /// false: close() leaves the wrapped stream open and alive.
    void setAutoClose(bool autoClose);

private:
    /// Throws IOException "The output stream has been closed." once closed.
    void checkClosed() const;
    /// Everything of close() after the flush.
    void release(bool reportErrors);

    OutputStream* _out;
    bool _owns;
    bool _autoClose;
    ByteBlock* _block;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_BUFFEREDOUTPUTSTREAM_H
