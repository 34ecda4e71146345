//===- wux/io/InputStream.h - A source of bytes -----------------*- C++ -*-===//
//
// InputStream is the interface of every byte source of wux: memory, buffered,
// data, file, socket and HTTP streams all derive from it, and the decorating
// streams take any InputStream to read from.
//
//   MemoryInputStream in(data, 6, false);
//   unsigned char block[4];
//   int n = in.read(block, 4);     // 4
//   n = in.read(block, 4);         // 2: what was left
//   n = in.read(block, 4);         // -1: end of the data
//   n = in.read(block, 0);         // 0: nothing was asked for
//   in.seek(0, Begin);
//   int b = in.read();             // the first byte as 0..255, or -1
//
// A block read returns the count read, 0 for a 0-byte request and -1 at the
// end of the data. A stream is closed when the object it reads from is gone;
// operations on a closed stream throw IOException. close() may be called any
// number of times. Failures are exceptions, never return codes.
//
// The class holds no state: copying copies nothing.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_INPUTSTREAM_H
#define WUX_IO_INPUTSTREAM_H

#include "wux/io/SeekOrigin.h"
#include "wux/lang/Export.h"

#include <stddef.h> // __int64 on MinGW

namespace cpp {
namespace io {

class WUX_API InputStream {
public:
    InputStream() {}
    InputStream(InputStream const&) {}
    InputStream& operator=(InputStream const&) { return *this; }
    virtual ~InputStream();

    /// Reads up to \p count bytes into \p bytes; returns the count read, 0
    /// when \p count is 0, -1 at the end of the data.
    virtual int read(unsigned char* bytes, int count) = 0;
    /// One byte (0..255) through the block read, or -1 when that read gives
    /// nothing (any result below 1).
    virtual int read();
    /// Moves the position; returns the new position.
    virtual __int64 seek(__int64 offset, SeekOrigin origin) = 0;
    /// Does nothing here.
    virtual void close();
    /// Bytes that can be read without waiting; 0 here.
    virtual __int64 available() const;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_INPUTSTREAM_H
