//===- ByteBlock.h - A growable block of pending bytes ---------*- C++ -*-===//
//
// The block in which the buffered and the chunked output streams keep the
// bytes they have not handed on yet: a small record of three words (start of
// the byte array, its capacity, one past the last pending byte). The record
// comes from an IAllocator, the byte array from new[].
//
// When an append does not fit, the array grows to twice the bytes it must
// then hold. Sizes are computed in 64 bits: a block that would need more than
// 32 bits throws OutOfMemoryException, and a failed append leaves the block
// as it was.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_IO_BYTEBLOCK_H
#define WUX_SRC_IO_BYTEBLOCK_H

namespace cpp {
namespace lang {
class IAllocator;
} // namespace lang
namespace io {

struct ByteBlock {
    unsigned char* start;
    unsigned int capacity;
    unsigned char* end;

    /// Bytes pending.
    unsigned int size() const { return static_cast<unsigned int>(end - start); }
    /// Forgets the pending bytes; the capacity is kept.
    void clear() { end = start; }
};

/// A new block of \p capacity bytes; the record comes from \p alloc.
ByteBlock* createByteBlock(lang::IAllocator* alloc, unsigned int capacity);
/// Releases the array and gives the record back to \p alloc; null is ignored.
void destroyByteBlock(lang::IAllocator* alloc, ByteBlock* block);
/// Appends \p count bytes, growing the array to 2 * (pending + count) bytes
/// when they do not fit.
void appendBytes(ByteBlock* block, unsigned char const* bytes, unsigned int count);
/// Makes room for \p count more bytes (growing as appendBytes does) and
/// returns where they go; the caller writes them and advances `end`.
unsigned char* reserveBytes(ByteBlock* block, unsigned int count);
/// Drops the pending bytes from index \p size on (size <= pending).
void truncateBytes(ByteBlock* block, unsigned int size);

} // namespace io
} // namespace cpp

#endif
