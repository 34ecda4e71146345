//===- wux/io/OutputStream.h - A sink of bytes ------------------*- C++ -*-===//
//
// OutputStream is the interface of every byte sink of wux: memory, buffered,
// data, chunked, file and socket streams all derive from it, and the
// decorating streams take any OutputStream to write to.
//
//   MemoryOutputStream out;
//   unsigned char const hello[] = {'h', 'e', 'l', 'l', 'o'};
//   out.write(hello, 5);
//   out.write('!');                 // the low 8 bits of the int
//   out.flush();                    // hands buffered data on, if any
//   out.close();                    // repeatable
//
// A stream is closed when the object it writes to is gone; operations on a
// closed stream throw IOException. Failures are exceptions, never return
// codes. getBuffer() gives the bytes of streams that keep them in memory and
// null for the others.
//
// The class holds no state: copying copies nothing.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_OUTPUTSTREAM_H
#define WUX_IO_OUTPUTSTREAM_H

#include "wux/io/SeekOrigin.h"
#include "wux/lang/Export.h"

#include <stddef.h> // __int64 on MinGW

namespace cpp {
namespace io {

class WUX_API OutputStream {
public:
    OutputStream() {}
    OutputStream(OutputStream const&) {}
    OutputStream& operator=(OutputStream const&) { return *this; }
    virtual ~OutputStream();

    /// Writes the \p count bytes at \p bytes.
    virtual void write(unsigned char const* bytes, unsigned int count) = 0;
    /// Writes the low 8 bits of \p b as one byte through the block write.
    virtual void write(int b);
    /// Moves the position; returns the new position.
    virtual __int64 seek(__int64 offset, SeekOrigin origin) = 0;
    /// Hands buffered data on; does nothing here.
    virtual void flush();
    /// Does nothing here.
    virtual void close();
    /// The bytes kept in memory by the stream; null here.
    virtual unsigned char const* getBuffer() const;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_OUTPUTSTREAM_H
