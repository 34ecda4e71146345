//===- wux/io/SeekOrigin.h - Where a seek offset counts from ----*- C++ -*-===//
//
// SeekOrigin tells seek() of every stream what its offset is relative to:
//
//   stream.seek(0, Begin);      // back to the first byte
//   stream.seek(-4, Current);   // four bytes back
//   stream.seek(-2, End);       // two bytes before the end
//
// The values are fixed (0, 1, 2). Streams treat any other value as "stay
// where you are": the position does not move and is returned.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_SEEKORIGIN_H
#define WUX_IO_SEEKORIGIN_H

namespace cpp {
namespace io {

enum SeekOrigin : int {
    /// The offset counts from the start.
    Begin = 0,
    /// The offset counts from the current position.
    Current = 1,
    /// The offset counts from the end.
    End = 2
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_SEEKORIGIN_H
