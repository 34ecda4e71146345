//===- MemorySeek.h - The seek rule of the memory streams ------*- C++ -*-===//
//
// Both memory streams move their position the same way: the target is
// clamped into 0..bound (the data length or the capacity), and an unknown
// origin leaves the position where it is. All arithmetic is done so that no
// offset, however large, can wrap around.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_IO_MEMORYSEEK_H
#define WUX_SRC_IO_MEMORYSEEK_H

#include "wux/io/SeekOrigin.h"

#include <stddef.h> // __int64 on MinGW

namespace cpp {
namespace io {

/// The position \p offset from \p origin leads to, clamped into 0..bound;
/// \p position is the current one.
unsigned int memorySeek(__int64 offset, SeekOrigin origin, unsigned int bound,
                        unsigned int position);

} // namespace io
} // namespace cpp

#endif
